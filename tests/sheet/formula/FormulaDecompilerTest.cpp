// Tests for the formula decompiler in its BIFF8 layout: token arrays built byte by byte, one row per case,
// with the text they give; damaged or unknown tokens give no text.
#include <gtest/gtest.h>

#include "../support/BiffBuilder.h"
#include "sheet/formula/FormulaDecompiler.h"

namespace quorvex::sheet {
namespace {

using formula::FormulaContext;
using formula::FormulaDecompiler;
using formula::FormulaLayout;
using test_support::Bytes;

// Token builders for BIFF8 (value-class ids where a class applies).
std::string Int(std::uint32_t v) {
  return Bytes().U8(0x1E).U16(v).str();
}
std::string Num(double v) {
  return Bytes().U8(0x1F).F64(v).str();
}
std::string Op(std::uint8_t id) {
  return std::string(1, static_cast<char>(id));
}
std::string Str8(const std::string& s) {
  return Bytes().U8(0x17).U8(static_cast<std::uint32_t>(s.size())).U8(0).Raw(s).str();
}
std::string Ref(std::uint32_t row, std::uint32_t column, std::uint32_t flags = 0xC000) {
  return Bytes().U8(0x44).U16(row).U16(column | flags).str();
}
std::string Area(std::uint32_t r1, std::uint32_t r2, std::uint32_t c1, std::uint32_t c2,
                 std::uint32_t flags = 0xC000) {
  return Bytes().U8(0x25).U16(r1).U16(r2).U16(c1 | flags).U16(c2 | flags).str();
}
std::string Func(std::uint32_t index) {
  return Bytes().U8(0x41).U16(index).str();
}
std::string FuncVar(std::uint32_t count, std::uint32_t index) {
  return Bytes().U8(0x42).U8(count).U16(index).str();
}
std::string Attr(std::uint32_t flags, std::uint32_t data = 0) {
  return Bytes().U8(0x19).U8(flags).U16(data).str();
}

struct Row {
  const char* what;
  std::string tokens;
  const char* expected;  // "" when the formula has no text
};

std::string Decompile(const std::string& tokens, const FormulaContext& context = {}) {
  FormulaDecompiler decompiler(FormulaLayout::kBiff8);
  std::string text = "stale";
  const bool ok = decompiler.Decompile(tokens, context, text);
  EXPECT_EQ(ok, !text.empty()) << "the result must match the text";
  return text;
}

TEST(FormulaDecompiler, OperatorsConstantsAndParentheses) {
  const std::vector<Row> rows = {
      {"add", Int(1) + Int(2) + Op(0x03), "1+2"},
      {"subtract", Int(1) + Int(2) + Op(0x04), "1-2"},
      {"multiply", Int(1) + Int(2) + Op(0x05), "1*2"},
      {"divide", Int(1) + Int(2) + Op(0x06), "1/2"},
      {"power", Int(1) + Int(2) + Op(0x07), "1^2"},
      {"concatenate", Str8("a") + Str8("b") + Op(0x08), "\"a\"&\"b\""},
      {"less", Int(1) + Int(2) + Op(0x09), "1<2"},
      {"less or equal", Int(1) + Int(2) + Op(0x0A), "1<=2"},
      {"equal", Int(1) + Int(2) + Op(0x0B), "1=2"},
      {"greater or equal", Int(1) + Int(2) + Op(0x0C), "1>=2"},
      {"greater", Int(1) + Int(2) + Op(0x0D), "1>2"},
      {"not equal", Int(1) + Int(2) + Op(0x0E), "1<>2"},
      {"intersection", Area(0, 4, 0, 2) + Area(2, 2, 0, 5) + Op(0x0F), "A1:C5 A3:F3"},
      {"union in parentheses", Ref(0, 0) + Ref(1, 1) + Op(0x10) + Op(0x15), "(A1,B2)"},
      {"range operator", Ref(0, 0) + Ref(1, 1) + Op(0x11), "A1:B2"},
      {"parentheses keep precedence", Int(1) + Int(2) + Op(0x03) + Op(0x15) + Int(3) + Op(0x05), "(1+2)*3"},
      {"no parentheses without PtgParen", Int(1) + Int(2) + Int(3) + Op(0x05) + Op(0x03), "1+2*3"},
      {"unary minus", Ref(0, 0) + Op(0x13), "-A1"},
      {"unary plus", Int(4) + Op(0x12), "+4"},
      {"percent", Int(50) + Op(0x14), "50%"},
      {"minus then percent", Int(5) + Op(0x13) + Op(0x14), "-5%"},
      {"integer", Int(65535), "65535"},
      {"fraction", Num(0.5), "0.5"},
      {"shortest round trip", Num(1.0 / 3), "0.3333333333333333"},
      {"large number uses E", Num(1e20), "1E+20"},
      {"negative number", Num(-2.25), "-2.25"},
      {"string with quotes doubled", Str8("say \"hi\""), "\"say \"\"hi\"\"\""},
      {"empty string", Str8(""), "\"\""},
      {"16-bit string", Bytes().U8(0x17).U8(2).U8(1).Utf16(u"\u0416\u00e9").str(), "\"\xD0\x96\xC3\xA9\""},
      {"TRUE", Bytes().U8(0x1D).U8(1).str(), "TRUE"},
      {"FALSE", Bytes().U8(0x1D).U8(0).str(), "FALSE"},
      {"error constant", Bytes().U8(0x1C).U8(0x07).str(), "#DIV/0!"},
      {"N/A constant", Bytes().U8(0x1C).U8(0x2A).str(), "#N/A"},
  };
  for (const Row& row : rows) EXPECT_EQ(Decompile(row.tokens), row.expected) << row.what;
}

TEST(FormulaDecompiler, FunctionsAndAttributes) {
  const std::string if_jumps =
      Int(1) + Attr(0x02, 7) + Int(2) + Attr(0x08, 7) + Int(3) + Attr(0x08, 3) + FuncVar(3, 1);
  const std::string choose = Int(2) + Attr(0x04, 1) + Bytes().U16(4).U16(8).str() + Str8("x") +
                             Attr(0x08, 4) + Str8("y") + Attr(0x08, 0) + FuncVar(3, 100);
  const std::vector<Row> rows = {
      {"fixed, no arguments", Func(19), "PI()"},
      {"fixed, two arguments", Num(2.5) + Int(0) + Func(27), "ROUND(2.5,0)"},
      {"fixed, one argument", Ref(1, 0) + Func(113), "UPPER(A2)"},
      {"fixed, three arguments", Int(2023) + Int(3) + Int(15) + Func(65), "DATE(2023,3,15)"},
      {"variable count", Int(1) + Int(2) + Int(3) + FuncVar(3, 4), "SUM(1,2,3)"},
      {"variable, one area", Area(1, 3, 1, 1) + FuncVar(1, 5), "AVERAGE(B2:B4)"},
      {"IF with its jumps", if_jumps, "IF(1,2,3)"},
      {"CHOOSE with its jump table", choose, "CHOOSE(2,\"x\",\"y\")"},
      {"missing argument", Int(1) + Op(0x16) + Int(3) + FuncVar(3, 1), "IF(1,,3)"},
      {"VLOOKUP", Ref(0, 0) + Area(0, 9, 1, 2) + Int(2) + Bytes().U8(0x1D).U8(0).str() + FuncVar(4, 102),
       "VLOOKUP(A1,B1:C10,2,FALSE)"},
      {"nested calls", Ref(0, 0) + Int(1) + FuncVar(2, 115) + Ref(0, 1) + FuncVar(2, 336),
       "CONCATENATE(LEFT(A1,1),B1)"},
      {"optimised SUM", Area(0, 2, 0, 0) + Attr(0x10), "SUM(A1:A3)"},
      {"volatile and space attributes show nothing", Attr(0x01) + Attr(0x40, 0x0200) + Func(74), "NOW()"},
      {"function from after Excel 2003", Int(1) + Int(2) + FuncVar(2, 480), "IFERROR(1,2)"},
      {"memory area wrapper shows its reference",
       Bytes().U8(0x26).U32(0).U16(5).str() + Area(0, 1, 0, 0) + FuncVar(1, 4), "SUM(A1:A2)"},
      {"memory function wrapper",
       Bytes().U8(0x29).U16(5).str() + Ref(0, 0) + Ref(1, 1) + Op(0x11) + FuncVar(1, 0), "COUNT(A1:B2)"},
  };
  for (const Row& row : rows) EXPECT_EQ(Decompile(row.tokens), row.expected) << row.what;
}

TEST(FormulaDecompiler, ReferencesKeepTheirAbsoluteParts) {
  const std::vector<Row> rows = {
      {"relative", Ref(2, 1), "B3"},
      {"absolute", Ref(0, 0, 0), "$A$1"},
      {"absolute row", Ref(0, 0, 0x4000), "A$1"},
      {"absolute column", Ref(0, 0, 0x8000), "$A1"},
      {"last column and row", Ref(65535, 255), "IV65536"},
      {"two-letter column", Ref(9, 27), "AB10"},
      {"area", Area(0, 1, 0, 1), "A1:B2"},
      {"absolute area", Area(1, 3, 1, 1, 0), "$B$2:$B$4"},
      {"whole columns", Area(0, 65535, 0, 2), "A:C"},
      {"whole absolute column", Area(0, 65535, 3, 3, 0), "$D:$D"},
      {"whole rows", Area(0, 2, 0, 255), "1:3"},
      {"deleted reference", Bytes().U8(0x2A).U32(0).str(), "#REF!"},
      {"deleted area", Bytes().U8(0x2B).U32(0).U32(0).str() + Int(1) + Op(0x03), "#REF!+1"},
  };
  for (const Row& row : rows) EXPECT_EQ(Decompile(row.tokens), row.expected) << row.what;
}

TEST(FormulaDecompiler, SharedFormulaReferencesAreRelativeToTheCell) {
  FormulaContext context;
  context.row = 4;  // the formula is in D5
  context.column = 3;
  const auto ref_n = [](std::uint32_t row, std::uint32_t column, std::uint32_t flags) {
    return Bytes().U8(0x4C).U16(row).U16(column | flags).str();
  };
  const std::vector<Row> rows = {
      {"same cell", ref_n(0, 0, 0xC000), "D5"},
      {"one row up, one column right", ref_n(0xFFFF, 1, 0xC000), "E4"},
      {"one column left", ref_n(0, 0xFF, 0xC000), "C5"},
      {"absolute parts stay", ref_n(1, 0xFF, 0x4000), "C$2"},
      {"wraps past the first row", ref_n(0xFFF0, 0, 0xC000), "D65525"},
      {"area", Bytes().U8(0x2D).U16(0xFFFF).U16(1).U16(0xFF | 0xC000).U16(0 | 0xC000).str(), "C4:D6"},
  };
  for (const Row& row : rows) EXPECT_EQ(Decompile(row.tokens, context), row.expected) << row.what;
}

TEST(FormulaDecompiler, SheetReferencesAndNamesUseTheWorkbookTables) {
  const std::vector<std::string> sheets = {"Inputs", "'My Sheet'", ""};
  const std::vector<std::string> names = {"Rate", "", "MyFunc"};
  FormulaContext context;
  context.extern_sheets = &sheets;
  context.names = &names;
  const auto ref3d = [](std::uint32_t ixti, std::uint32_t row, std::uint32_t column) {
    return Bytes().U8(0x5A).U16(ixti).U16(row).U16(column | 0xC000).str();
  };
  const std::string area3d = Bytes().U8(0x3B).U16(0).U16(1).U16(3).U16(1 | 0xC000).U16(1 | 0xC000).str();
  const auto name = [](std::uint32_t index) { return Bytes().U8(0x43).U32(index).str(); };
  const std::vector<Row> rows = {
      {"3D reference", ref3d(0, 1, 1), "Inputs!B2"},
      {"3D reference to a quoted sheet", ref3d(1, 0, 0), "'My Sheet'!A1"},
      {"3D area in SUM", area3d + FuncVar(1, 4), "SUM(Inputs!B2:B4)"},
      {"3D deleted reference", Bytes().U8(0x3C).U16(0).U32(0).str(), "Inputs!#REF!"},
      {"defined name", name(1) + Int(2) + Op(0x05), "Rate*2"},
      {"user-defined function", name(3) + Int(1) + FuncVar(2, 255), "MyFunc(1)"},
      {"entry for another workbook", ref3d(2, 0, 0), ""},
      {"XTI index past the table", ref3d(3, 0, 0), ""},
      {"built-in name without text", name(2), ""},
      {"name index 0", name(0), ""},
      {"name index past the table", name(4), ""},
  };
  for (const Row& row : rows) EXPECT_EQ(Decompile(row.tokens, context), row.expected) << row.what;
  EXPECT_EQ(Decompile(ref3d(0, 0, 0)), "") << "no table";
}

TEST(FormulaDecompiler, AddInCallsTakeTheirExternalName) {
  // XTI 0 and 2 point at SUPBOOK 1 (add-in names), XTI 1 at SUPBOOK 0 (this workbook, no names).
  const std::vector<std::uint16_t> xti_supbooks = {1, 0, 1};
  const std::vector<std::vector<std::string>> extern_names = {
      {}, {"_xlfn.IFERROR", "_xlfn.CONCAT", "", "MYADDIN"}};
  FormulaContext context;
  context.xti_supbooks = &xti_supbooks;
  context.extern_names = &extern_names;
  const auto name_x = [](std::uint32_t ixti, std::uint32_t index) {
    return Bytes().U8(0x39).U16(ixti).U32(index).str();
  };
  const std::vector<Row> rows = {
      {"function the table has loses the prefix", name_x(0, 1) + Ref(0, 0) + Int(0) + FuncVar(3, 255),
       "IFERROR(A1,0)"},
      {"newer function keeps it", name_x(2, 2) + Str8("a") + Str8("b") + FuncVar(3, 255),
       "_xlfn.CONCAT(\"a\",\"b\")"},
      {"add-in function", name_x(0, 4) + FuncVar(1, 255), "MYADDIN()"},
      {"name without text", name_x(0, 3) + FuncVar(1, 255), ""},
      {"link without names", name_x(1, 1) + FuncVar(1, 255), ""},
      {"name index past the list", name_x(0, 5) + FuncVar(1, 255), ""},
      {"XTI past the table", name_x(3, 1) + FuncVar(1, 255), ""},
  };
  for (const Row& row : rows) EXPECT_EQ(Decompile(row.tokens, context), row.expected) << row.what;
}

TEST(FormulaDecompiler, UnknownOrDamagedTokensGiveNoText) {
  const std::vector<Row> rows = {
      {"no tokens", "", ""},
      {"truncated integer", Bytes().U8(0x1E).U8(1).str(), ""},
      {"truncated number", Bytes().U8(0x1F).U32(0).str(), ""},
      {"string past the end", Bytes().U8(0x17).U8(10).U8(0).Raw("abc").str(), ""},
      {"unknown token", Op(0x00), ""},
      {"shared formula reference", Bytes().U8(0x01).U16(0).U16(0).str(), ""},
      {"data table", Bytes().U8(0x02).U16(0).U16(0).str(), ""},
      {"array constant", Bytes().U8(0x60).Raw(std::string(7, '\0')).str(), ""},
      {"external name", Bytes().U8(0x39).U16(0).U32(1).str(), ""},
      {"operator without operands", Int(1) + Op(0x03), ""},
      {"two values left over", Int(1) + Int(2), ""},
      {"unary without operand", Op(0x13), ""},
      {"parenthesis without operand", Op(0x15), ""},
      {"function with too few operands", Int(1) + Func(27), ""},
      {"variable-count function through PtgFunc", Int(1) + Func(4), ""},
      {"unknown function", Func(202), ""},
      {"function past the table", Int(1) + FuncVar(1, 2000), ""},
      {"macro command", FuncVar(0, 0x8001), ""},
      {"SUM attribute without operand", Attr(0x10), ""},
      {"choose table past the end", Int(1) + Attr(0x04, 5) + Bytes().U16(0).str(), ""},
      {"unknown error code", Bytes().U8(0x1C).U8(0x99).str(), ""},
      {"user-defined call without name", FuncVar(0, 255), ""},
  };
  for (const Row& row : rows) EXPECT_EQ(Decompile(row.tokens), row.expected) << row.what;
}

TEST(FormulaDecompiler, EveryCutOfAValidFormulaIsHandled) {
  // Each prefix of a formula either decompiles or gives no text: reads stop at the buffer's end.
  const std::string tokens = Str8("text") + Ref(0, 0) + Num(1.5) + Op(0x03) + Op(0x08) + Area(0, 1, 0, 1) +
                             Attr(0x10) + Attr(0x04, 1) + Bytes().U16(0).U16(0).str() + FuncVar(2, 1);
  const std::string full = Decompile(tokens);
  EXPECT_EQ(full, "IF(\"text\"&A1+1.5,SUM(A1:B2))") << "the uncut formula";
  for (std::size_t size = 0; size < tokens.size(); ++size) {
    FormulaDecompiler decompiler(FormulaLayout::kBiff8);
    std::string text;
    const bool ok = decompiler.Decompile(std::string_view(tokens).substr(0, size), {}, text);
    EXPECT_EQ(ok, !text.empty()) << size;
  }
}

TEST(FormulaDecompiler, QuotesSheetNamesThatNeedIt) {
  const std::vector<std::pair<std::string, std::string>> rows = {
      {"Inputs", "Inputs"},
      {"Sheet_1.a", "Sheet_1.a"},
      {"My Sheet", "'My Sheet'"},
      {"it's", "'it''s'"},
      {"2024", "'2024'"},
      {"A1", "'A1'"},
      {"XFD1048576", "'XFD1048576'"},
      {"ABCD1", "ABCD1"},
      {"Sum-Up", "'Sum-Up'"},
      {"Donn\xC3\xA9"
       "es",
       "Donn\xC3\xA9"
       "es"},
  };
  for (const auto& [name, expected] : rows)
    EXPECT_EQ(FormulaDecompiler::QuoteSheetName(name), expected) << name;
}

}  // namespace
}  // namespace quorvex::sheet
