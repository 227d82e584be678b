// Text, booleans, errors and empty cells; malformed codes fall back to General safely.
#include <cstdint>
#include <random>
#include <string>
#include <string_view>

#include "FormatRows.h"

namespace quorvex::sheet::numfmt::testing {
namespace {

std::string RenderText(std::string_view code, std::string_view text) {
  return NumberFormat::Parse(code)->Render(CellValue::String(text), false);
}

TEST(TextFormat, TextSectionWrapsTheText) {
  EXPECT_EQ(RenderText("@", "abc"), "abc");
  EXPECT_EQ(RenderText("\"pre \"@", "abc"), "pre abc");
  EXPECT_EQ(RenderText("@\" post\"", "abc"), "abc post");
  EXPECT_EQ(RenderText("0;-0;0;\"T:\"@", "abc"), "T:abc");
  EXPECT_EQ(RenderText("0;-0;0;@@", "ab"), "abab");
  EXPECT_EQ(RenderText("0;@", "abc"), "abc");
  EXPECT_EQ(RenderText("0.00;\"<\"@\">\"", "abc"), "<abc>");
  EXPECT_EQ(RenderText("_(@_)", "abc"), " abc ");
  EXPECT_EQ(RenderText("[Red]@", "abc"), "abc");
  EXPECT_EQ(RenderText("\"pre \"@", ""), "pre ");  // an empty text still gets its literals
  EXPECT_EQ(RenderText("[$-409]@", "abc"), "abc");
}

TEST(TextFormat, FormatsWithoutTextSectionShowTextAsIs) {
  EXPECT_EQ(RenderText("0.00", "abc"), "abc");
  EXPECT_EQ(RenderText("m/d/yyyy", "12 apples"), "12 apples");
  EXPECT_EQ(RenderText("General", "x;y"), "x;y");
  EXPECT_EQ(RenderText("0;-0;0", ""), "");
}

TEST(TextFormat, FourthSectionWithoutAtReplacesText) {
  EXPECT_EQ(RenderText("0;-0;0;\"x\"", "abc"), "x");
  EXPECT_EQ(RenderText(";;;", "abc"), "");
}

TEST(TextFormat, NumbersInATextOnlyFormatShowAsGeneral) {
  const FormatRow rows[] = {
      {1234.5, "@", "1234.5"},
      {-1234.5, "\"pre \"@", "-1234.5"},
      {123456789012, "@", "1.23457E+11"},
  };
  ExpectRows(rows);
}

TEST(TextFormat, BooleansAndErrorsIgnoreTheFormat) {
  for (const char* code : {"0.00", "@", "\"x\"@", "0;-0;0;\"t\"", "m/d/yyyy", "General"}) {
    const auto format = NumberFormat::Parse(code);
    EXPECT_EQ(format->Render(CellValue::Boolean(true), false), "TRUE") << code;
    EXPECT_EQ(format->Render(CellValue::Boolean(false), false), "FALSE") << code;
    EXPECT_EQ(format->Render(CellValue(), false), "") << code;
    for (const char* error : {"#DIV/0!", "#N/A", "#NAME?", "#NULL!", "#NUM!", "#REF!", "#VALUE!", "#SPILL!",
                              "#CALC!", "#GETTING_DATA"}) {
      EXPECT_EQ(format->Render(CellValue::Error(error), false), error) << code;
    }
  }
}

TEST(TextFormat, AppendKeepsWhatIsAlreadyThere) {
  std::string out = "a,";
  NumberFormat::Parse("0.00")->Append(CellValue::Number(1.5), false, out);
  EXPECT_EQ(out, "a,1.50");
}

TEST(MalformedFormat, FallsBackToGeneral) {
  const FormatRow rows[] = {
      {1234.5, "\"unterminated", "1234.5"}, {1234.5, "[Red", "1234.5"}, {1234.5, "0;0;0;0;0", "1234.5"},
      {1234.5, "[>abc]0", "1234.5"},        {1234.5, "[>]0", "1234.5"}, {1234.5, "", "1234.5"},
      {-1234.5, "0.00\"", "-1234.5"},
  };
  ExpectRows(rows);
  EXPECT_TRUE(NumberFormat::Parse("\"open")->IsGeneral());
  EXPECT_TRUE(NumberFormat::Parse(std::string(5000, '0'))->IsGeneral());
}

TEST(MalformedFormat, DanglingEscapesAndBracketsAreHarmless) {
  const FormatRow rows[] = {
      {1234.5, "0\\", "1235"}, {1234.5, "0_", "1235 "}, {1234.5, "0*", "1235"},
      {1234.5, "[]0", "1235"}, {1234.5, "0]", "1235]"},
  };
  ExpectRows(rows);
}

TEST(MalformedFormat, ReportsGeneralAndDateKinds) {
  EXPECT_TRUE(NumberFormat::Parse("General")->IsGeneral());
  EXPECT_TRUE(NumberFormat::Parse("[Red]general")->IsGeneral());
  EXPECT_FALSE(NumberFormat::Parse("0")->IsGeneral());
  EXPECT_FALSE(NumberFormat::Parse("General;-General")->IsGeneral());
  EXPECT_TRUE(NumberFormat::Parse("m/d/yyyy")->IsDateTime());
  EXPECT_TRUE(NumberFormat::Parse("[h]:mm")->IsDateTime());
  EXPECT_TRUE(NumberFormat::Parse("h AM/PM")->IsDateTime());
  EXPECT_FALSE(NumberFormat::Parse("0.00")->IsDateTime());
  EXPECT_FALSE(NumberFormat::Parse("0;m/d/yyyy")->IsDateTime());
  EXPECT_FALSE(NumberFormat::Parse("\"d\"0")->IsDateTime());
  EXPECT_FALSE(NumberFormat::General()->IsDateTime());
}

// Codes built from format characters and random bytes: parsing and rendering must neither
// crash nor produce more text than the code can ask for.
TEST(MalformedFormat, RandomCodesRenderBoundedText) {
  constexpr std::string_view kAlphabet = "0#?.,%E+-/@;[]\"\\_*$hmsdyabgAPM<>=:General ";
  std::mt19937 generator(20240517u);
  std::uniform_int_distribution<int> length_of(0, 40);
  std::uniform_int_distribution<int> pick(0, static_cast<int>(kAlphabet.size()) + 7);
  std::uniform_int_distribution<int> byte(0, 255);
  const double values[] = {0, -0.0, 1, -1, 0.5, -1234.5678, 1e300, -1e-300, 45000.75, 2958466, 1e15};
  for (int round = 0; round < 3000; ++round) {
    std::string code;
    const int length = length_of(generator);
    for (int i = 0; i < length; ++i) {
      const int choice = pick(generator);
      code.push_back(choice < static_cast<int>(kAlphabet.size()) ? kAlphabet[choice]
                                                                 : static_cast<char>(byte(generator)));
    }
    const auto format = NumberFormat::Parse(code);
    for (const double value : values) {
      const std::string text = format->Render(CellValue::Number(value), round % 2 == 0);
      EXPECT_LE(text.size(), 400 + 8 * code.size()) << code;
    }
    EXPECT_LE(format->Render(CellValue::String("text"), false).size(), 4 + 4 * code.size()) << code;
  }
}

}  // namespace
}  // namespace quorvex::sheet::numfmt::testing
