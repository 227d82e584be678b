// Converts workbooks to dBASE III and IV with the quorvex command line, opens every table with
// GDAL (a reader this project did not write) and compares every field name and value with the
// source sheet; dBASE II tables, which GDAL does not take, are read by their published layout.
#include <gtest/gtest.h>
#include <unistd.h>

#include <cctype>
#include <chrono>
#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <deque>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <map>
#include <optional>
#include <set>

#include "../sheet/ooxml/XlsxPackage.h"
#include "../sheet/support/TempFile.h"
#include "OgrTable.h"
#include "sheet/WorkbookOpener.h"
#include "sheet/numfmt/CellText.h"

namespace quorvex::dbf_check {
namespace {

namespace fs = std::filesystem;
using sheet::test_support::TempFile;

/// One cell of the source sheet: what it holds and what it shows.
struct SourceCell {
  sheet::CellKind kind = sheet::CellKind::kEmpty;
  double number = 0;
  std::string shown;
  bool date_format = false;
};

/// The cells of one worksheet, by 0-based (row, column), and their bounding range.
struct SourceSheet {
  std::string name;
  std::map<std::pair<std::uint32_t, std::uint32_t>, SourceCell> cells;
  std::uint32_t first_row = UINT32_MAX, first_column = UINT32_MAX, last_row = 0, last_column = 0;
  bool date1904 = false;

  SourceCell At(std::uint32_t row, std::uint32_t column) const {
    const auto found = cells.find({row, column});
    return found == cells.end() ? SourceCell{} : found->second;
  }
};

class Collector : public sheet::SheetSink {
 public:
  Collector(SourceSheet& sheet, const sheet::numfmt::CellText& text) : sheet_(sheet), text_(text) {}
  sheet::SinkControl OnCell(const sheet::Cell& cell) override {
    sheet_.first_row = std::min(sheet_.first_row, cell.row);
    sheet_.first_column = std::min(sheet_.first_column, cell.column);
    sheet_.last_row = std::max(sheet_.last_row, cell.row);
    sheet_.last_column = std::max(sheet_.last_column, cell.column);
    if (cell.value.kind == sheet::CellKind::kEmpty) return sheet::SinkControl::kContinue;
    SourceCell& source = sheet_.cells[{cell.row, cell.column}];
    source.kind = cell.value.kind;
    source.number = cell.value.number;
    source.shown = text_.Render(cell.value, cell.style);
    source.date_format = text_.FormatOf(cell.style).IsDateTime();
    return sheet::SinkControl::kContinue;
  }

 private:
  SourceSheet& sheet_;
  const sheet::numfmt::CellText& text_;
};

/// Every worksheet of `path`, read with the engine's reader (the one part of the engine trusted here).
std::vector<SourceSheet> ReadSource(const std::string& path) {
  auto reader = sheet::OpenWorkbookFile(path);
  const sheet::numfmt::CellText text(reader->workbook());
  std::vector<SourceSheet> sheets;
  for (const std::size_t position : reader->workbook().WorksheetPositions()) {
    SourceSheet& source = sheets.emplace_back();
    source.name = reader->workbook().sheets[position].name;
    source.date1904 = reader->workbook().date1904;
    Collector collector(source, text);
    reader->ReadSheet(position, collector);
  }
  return sheets;
}

std::string Trim(const std::string& text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(' ') - first + 1);
}

/// The field name a header should give: upper-case ASCII letters and digits, '_' for anything
/// else, "F" in front of a name not starting with a letter, "FIELD<n>" when nothing is left.
std::string ExpectedName(const std::string& header, std::size_t column) {
  std::string name;
  bool letter_or_digit = false;
  for (const char c : header) {
    if ((static_cast<unsigned char>(c) & 0xC0) == 0x80) continue;  // rest of a multi-byte character
    if (std::isalnum(static_cast<unsigned char>(c)) && static_cast<unsigned char>(c) < 0x80) {
      name += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
      letter_or_digit = true;
    } else {
      name += '_';
    }
  }
  if (!letter_or_digit) return "FIELD" + std::to_string(column + 1);
  if (!std::isalpha(static_cast<unsigned char>(name[0]))) name = "F" + name;
  return name.substr(0, 10);
}

/// "YYYY/MM/DD" of a serial day, worked out from the calendar rather than the engine.
std::string ExpectedDate(double serial, bool date1904) {
  using namespace std::chrono;
  const auto days = static_cast<int>(serial);
  sys_days day = date1904 ? sys_days{1904y / January / 1} + std::chrono::days{days}
                          : sys_days{1899y / December / (days < 60 ? 31 : 30)} + std::chrono::days{days};
  const year_month_day ymd{day};
  char text[16];
  std::snprintf(text, sizeof text, "%04d/%02u/%02u", static_cast<int>(ymd.year()),
                static_cast<unsigned>(ymd.month()), static_cast<unsigned>(ymd.day()));
  return text;
}

/// Checks one value read back by GDAL against its source cell; returns a description of the
/// difference, or "" when they agree.
std::string Compare(const OgrField& field, const std::string& value, const SourceCell& cell, bool date1904) {
  if (cell.kind == sheet::CellKind::kEmpty || (cell.kind == sheet::CellKind::kString && cell.shown.empty())) {
    return value.empty() ? "" : "expected an empty value, read \"" + value + "\"";
  }
  if (field.type == "Real" || field.type == "Integer" || field.type == "Integer64") {
    if (cell.kind != sheet::CellKind::kNumber || cell.date_format)
      return "a numeric field for \"" + cell.shown + "\"";
    const double read = std::stod(value);
    const double tolerance =
        0.5 * std::pow(10.0, -field.decimals) + 1e-9 * std::max(1.0, std::fabs(cell.number));
    return std::fabs(read - cell.number) <= tolerance ? "" : "read " + value + " for " + cell.shown;
  }
  if (field.type == "Date") {
    if (cell.kind != sheet::CellKind::kNumber || !cell.date_format)
      return "a date field for \"" + cell.shown + "\"";
    const std::string expected = ExpectedDate(cell.number, date1904);
    return value == expected ? "" : "read " + value + ", expected " + expected;
  }
  if (cell.kind == sheet::CellKind::kBoolean && field.width == 1) {  // a logical field, read as text
    const std::string expected = cell.number != 0 ? "T" : "F";
    return value == expected ? "" : "read " + value + ", expected " + expected;
  }
  // Character fields are padded with spaces, which readers strip.
  return Trim(value) == Trim(cell.shown) ? "" : "read \"" + value + "\", expected \"" + cell.shown + "\"";
}

/// Compares a table GDAL read with its source sheet, field names, record count and every value.
void ExpectSameTable(const OgrTable& table, const SourceSheet& source, const std::string& what) {
  const std::uint32_t columns = source.last_column - source.first_column + 1;
  ASSERT_EQ(table.fields.size(), columns) << what;
  std::set<std::string> names;
  for (std::uint32_t c = 0; c < columns; ++c) {
    const std::string header = source.At(source.first_row, source.first_column + c).shown;
    std::string expected = ExpectedName(header, c);
    // A name already taken gets the first free "_1", "_2", ... within the ten characters.
    for (int k = 1; names.count(expected) != 0; ++k) {
      const std::string suffix = "_" + std::to_string(k);
      expected = ExpectedName(header, c).substr(0, 10 - suffix.size()) + suffix;
    }
    names.insert(table.fields[c].name);
    EXPECT_EQ(table.fields[c].name, expected) << what << " column " << c + 1;
  }
  EXPECT_EQ(names.size(), columns) << what << ": field names must be unique";
  ASSERT_EQ(table.records.size(), source.last_row - source.first_row) << what;
  for (std::uint32_t r = 0; r < table.records.size(); ++r) {
    ASSERT_EQ(table.records[r].size(), columns) << what << " record " << r + 1;
    for (std::uint32_t c = 0; c < columns; ++c) {
      const SourceCell cell = source.At(source.first_row + 1 + r, source.first_column + c);
      const std::string difference = Compare(table.fields[c], table.records[r][c], cell, source.date1904);
      EXPECT_EQ(difference, "") << what << " record " << r + 1 << " field " << table.fields[c].name;
    }
  }
}

/// Reads a dBASE II table by its published layout: a fixed 521-byte header (version 0x02, 16-bit
/// record count, month, day, year, 16-bit record length, 32 descriptors of 16 bytes: name in 11
/// bytes, type, width, 2-byte address, decimals; 0x0D starting the first unused descriptor, and
/// at 520 0x0D when all 32 are used, else 0x00), records from 521 on, then 0x1A.
OgrTable ReadDbase2(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  auto byte = [&](std::size_t at) { return static_cast<unsigned char>(bytes.at(at)); };
  OgrTable table;
  EXPECT_EQ(byte(0), 0x02) << path;
  const std::size_t count = byte(1) | (byte(2) << 8);
  EXPECT_TRUE(byte(3) >= 1 && byte(3) <= 12 && byte(4) >= 1 && byte(4) <= 31) << "month, day";
  const std::size_t record_length = byte(6) | (byte(7) << 8);
  std::size_t widths = 1;
  std::size_t k = 0;
  for (; k < 32 && byte(8 + 16 * k) != 0x0D; ++k) {
    const std::size_t at = 8 + 16 * k;
    const std::string name = bytes.substr(at, 11).c_str();
    const char type = bytes[at + 11];
    const int width = byte(at + 12);
    const int decimals = byte(at + 15);
    EXPECT_TRUE(type == 'C' || type == 'N' || type == 'L') << name;
    table.fields.push_back({name, type == 'N' ? "Real" : "String", width, decimals});
    widths += static_cast<std::size_t>(width);
  }
  EXPECT_EQ(byte(520), k == 32 ? 0x0D : 0x00);
  EXPECT_EQ(widths, record_length) << "the record length counts the deletion flag and every field";
  EXPECT_EQ(bytes.size(), 521 + count * record_length + 1) << path;
  EXPECT_EQ(bytes.back(), '\x1A');
  for (std::size_t r = 0; r < count && 521 + (r + 1) * record_length <= bytes.size(); ++r) {
    std::size_t at = 521 + r * record_length;
    EXPECT_EQ(bytes[at], ' ') << "record " << r + 1 << " is not deleted";
    ++at;
    std::vector<std::string>& values = table.records.emplace_back();
    for (const OgrField& field : table.fields) {
      values.push_back(Trim(bytes.substr(at, static_cast<std::size_t>(field.width))));
      at += static_cast<std::size_t>(field.width);
    }
  }
  return table;
}

std::string Quote(const std::string& text) {
  return "'" + text + "'";
}

/// A workbook with typed columns in several scripts, written by the test's package builder.
std::string TypedWorkbook() {
  using sheet::test_support::kMainNamespace;
  const std::string styles =
      std::string("<styleSheet xmlns=\"") + kMainNamespace +
      "\"><numFmts count=\"1\"><numFmt numFmtId=\"164\" formatCode=\"[$€-407]\\ #,##0.00\"/></numFmts>"
      "<cellXfs count=\"5\"><xf numFmtId=\"0\"/><xf numFmtId=\"2\"/><xf numFmtId=\"14\"/><xf "
      "numFmtId=\"10\"/>"
      "<xf numFmtId=\"164\"/></cellXfs></styleSheet>";
  auto s = [](const char* ref, const char* text) {
    return std::string("<c r=\"") + ref + "\" t=\"inlineStr\"><is><t xml:space=\"preserve\">" + text +
           "</t></is></c>";
  };
  auto n = [](const char* ref, const char* value, int style = 0) {
    return std::string("<c r=\"") + ref + "\" s=\"" + std::to_string(style) + "\"><v>" + value + "</v></c>";
  };
  auto b = [](const char* ref, bool value) {
    return std::string("<c r=\"") + ref + "\" t=\"b\"><v>" + (value ? "1" : "0") + "</v></c>";
  };
  const std::string orders =
      "<row r=\"1\">" + s("A1", "Name") + s("B1", "Qty") + s("C1", "Unit price") + s("D1", "Paid on") +
      s("E1", "Shipped") + s("F1", "Share") + s("G1", "Note") + s("H1", "Amount (EUR)") + "</row>" +
      "<row r=\"2\">" + s("A2", "Zoë") + n("B2", "3") + n("C2", "12.5", 1) + n("D2", "45000", 2) +
      b("E2", true) + n("F2", "0.125", 3) + s("G2", "ok") + n("H2", "1234.5", 4) + "</row>" +
      "<row r=\"3\">" + s("A3", "Ærø – “quoted”, 5 €") + n("B3", "-12") + n("C3", "1234.567", 1) +
      n("D3", "45366", 2) + b("E3", false) + n("F3", "1", 3) + n("G3", "7") + n("H3", "-0.5", 4) + "</row>" +
      "<row r=\"5\">" + s("A5", "  leading and trailing  ") + n("B5", "1000000") + n("C5", "0.004", 1) +
      s("G5", "line one\nline two") + "</row>";
  const std::string cyrillic = "<row r=\"1\">" + s("A1", "Город") + s("B1", "Население") + "</row>" +
                               "<row r=\"2\">" + s("A2", "Москва") + n("B2", "13010112") + "</row>" +
                               "<row r=\"3\">" + s("A3", "Київ") + n("B3", "2952301") + "</row>";
  const std::string greek = "<row r=\"1\">" + s("A1", "Πόλη") + s("B1", "Code") + "</row>" + "<row r=\"2\">" +
                            s("A2", "Αθήνα") + s("B2", "ATH") + "</row>";
  const std::string offset = "<row r=\"3\">" + s("C3", "x") + s("D3", "y") + s("E3", "x") + "</row>" +
                             "<row r=\"4\">" + n("C4", "1.5") + n("D4", "2") + "</row>" + "<row r=\"6\">" +
                             n("E6", "3.25") + "</row>";
  sheet::test_support::XlsxPackage package;
  package.SetStyles(styles)
      .AddSheet("Orders", sheet::test_support::WorksheetXml(orders))
      .AddSheet("Cyrillic", sheet::test_support::WorksheetXml(cyrillic))
      .AddSheet("Empty", sheet::test_support::WorksheetXml(""))
      .AddSheet("Greek", sheet::test_support::WorksheetXml(greek))
      .AddSheet("Offset", sheet::test_support::WorksheetXml(offset));
  return package.Build();
}

class DbfReaderCheck : public ::testing::Test {
 protected:
  void SetUp() override {
    if (!OgrAvailable()) {
      GTEST_FAIL() << "GDAL's ogr2ogr is needed: scripts/install-deps.sh installs gdal-bin.";
    }
    out_ = fs::temp_directory_path() / ("quorvex-dbf-check-" + std::to_string(::getpid()) + "-" +
                                        ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(out_);
    fs::create_directories(out_);
  }
  void TearDown() override { fs::remove_all(out_); }

  /// Converts `workbook` with `format` and numbered names; returns the workbook's output folder.
  /// `extra` goes at the end of the command (options, a redirection).
  fs::path Convert(const std::string& workbook, const std::string& format, const std::string& extra = "") {
    const fs::path folder = out_ / (format + "-" + std::to_string(++conversions_));
    const std::string command = Quote(QUORVEX_CLI) + " convert --quiet --naming number --format " + format +
                                " -o " + Quote(folder.string()) + " " + Quote(workbook) + " " + extra;
    EXPECT_EQ(std::system(command.c_str()), 0) << command;
    for (const auto& entry : fs::directory_iterator(folder)) return entry.path();
    ADD_FAILURE() << "no output folder for " << workbook;
    return folder;
  }

  /// Converts `workbook` to dBASE III and IV and checks every worksheet's table with GDAL.
  void CheckWorkbook(const std::string& workbook) {
    const std::vector<SourceSheet> sources = ReadSource(workbook);
    for (const std::string format : {"dbf3", "dbf4"}) {
      const fs::path folder = Convert(workbook, format);
      for (std::size_t i = 0; i < sources.size(); ++i) {
        const fs::path table = folder / (std::to_string(i + 1) + ".dbf");
        const std::string what =
            fs::path(workbook).filename().string() + " / " + sources[i].name + " / " + format;
        if (sources[i].cells.empty()) {
          EXPECT_FALSE(fs::exists(table)) << what << ": an empty sheet gives no table";
          continue;
        }
        ASSERT_TRUE(fs::exists(table)) << what;
        ExpectSameTable(ReadWithOgr(table.string()), sources[i], what);
      }
    }
  }

  fs::path out_;
  int conversions_ = 0;
};

TEST_F(DbfReaderCheck, TypedColumnsInSeveralScriptsReadBackUnchanged) {
  TempFile workbook(TypedWorkbook(), ".xlsx");
  CheckWorkbook(workbook.path());
  // The types GDAL sees are the ones the columns call for.
  const fs::path folder = Convert(workbook.path(), "dbf4");
  const OgrTable orders = ReadWithOgr((folder / "1.dbf").string());
  std::vector<std::string> types;
  for (const OgrField& field : orders.fields)
    types.push_back(field.type + "(" + std::to_string(field.width) + "." + std::to_string(field.decimals) +
                    ")");
  EXPECT_EQ(types, (std::vector<std::string>{"String(24.0)", "Integer(7.0)", "Real(7.2)", "Date(10.0)",
                                             "String(1.0)", "Real(6.4)", "String(17.0)", "Real(7.2)"}));
}

TEST_F(DbfReaderCheck, TextNoCodePageHoldsIsReplacedOrWrittenInUtf8) {
  auto s = [](const char* ref, const char* text) {
    return std::string("<c r=\"") + ref + "\" t=\"inlineStr\"><is><t>" + text + "</t></is></c>";
  };
  const std::string rows = "<row r=\"1\">" + s("A1", "Name") + s("B1", "City") + "</row><row r=\"2\">" +
                           s("A2", "Müller GmbH") + s("B2", "Köln") + "</row><row r=\"3\">" +
                           s("A3", "株式会社") + s("B3", "東京") + "</row>";
  sheet::test_support::XlsxPackage package;
  package.AddSheet("Firms", sheet::test_support::WorksheetXml(rows));
  TempFile workbook(package.Build(), ".xlsx");
  const fs::path warnings = out_ / "warnings.txt";
  const OgrTable ansi =
      ReadWithOgr((Convert(workbook.path(), "dbf4", "2>" + Quote(warnings.string())) / "1.dbf").string());
  EXPECT_EQ(ansi.records, (std::vector<std::vector<std::string>>{{"Müller GmbH", "Köln"}, {"????", "??"}}));
  std::ifstream warning(warnings);
  EXPECT_NE(
      std::string(std::istreambuf_iterator<char>(warning), {})
          .find("6 characters of the sheet \"Firms\" that Windows-1252 cannot hold were written as \"?\""),
      std::string::npos);
  const fs::path utf8 = Convert(workbook.path(), "dbf4", "--dbf-encoding utf-8");
  EXPECT_TRUE(fs::exists(utf8 / "1.cpg"));
  const OgrTable table = ReadWithOgr((utf8 / "1.dbf").string());
  EXPECT_EQ(table.records,
            (std::vector<std::vector<std::string>>{{"Müller GmbH", "Köln"}, {"株式会社", "東京"}}));
  EXPECT_EQ(table.fields[0].width, 12) << "\"株式会社\" takes 12 bytes";
}

TEST_F(DbfReaderCheck, Dbase2TablesFollowThePublishedLayout) {
  const std::string workbook = QUORVEX_FIXTURES_DIR "/Layout.xlsx";
  const std::vector<SourceSheet> sources = ReadSource(workbook);
  const fs::path folder = Convert(workbook, "dbf2");
  int tables = 0;
  for (std::size_t i = 0; i < sources.size(); ++i) {
    const fs::path table = folder / (std::to_string(i + 1) + ".dbf");
    if (sources[i].cells.empty()) continue;
    ++tables;
    ExpectSameTable(ReadDbase2(table.string()), sources[i], "Layout.xlsx / " + sources[i].name + " / dbf2");
  }
  EXPECT_EQ(tables, 4);
}

TEST_F(DbfReaderCheck, LayoutFixtureReadsBackUnchanged) {
  CheckWorkbook(QUORVEX_FIXTURES_DIR "/Layout.xlsx");
}

TEST_F(DbfReaderCheck, FormulasFixtureReadsBackUnchanged) {
  CheckWorkbook(QUORVEX_FIXTURES_DIR "/Formulas.xlsx");
}

TEST_F(DbfReaderCheck, DateFixturesReadBackUnchanged) {
  CheckWorkbook(QUORVEX_FIXTURES_DIR "/Dates1900.xlsx");
  CheckWorkbook(QUORVEX_FIXTURES_DIR "/Dates1904.xlsx");
}

TEST_F(DbfReaderCheck, NumberFormatsFixtureReadsBackUnchanged) {
  CheckWorkbook(QUORVEX_FIXTURES_DIR "/NumberFormats.xlsx");
}

}  // namespace
}  // namespace quorvex::dbf_check
