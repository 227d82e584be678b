// Code pages of dBASE tables: encoding, and choosing the first page that holds a text.
#include <gtest/gtest.h>

#include "sheet/writers/DbfCodePage.h"

namespace quorvex::sheet {
namespace {

std::set<char32_t> CharactersOf(const std::string& utf8) {
  std::set<char32_t> characters;
  for (std::size_t position = 0; position < utf8.size();) characters.insert(NextCodePoint(utf8, position));
  return characters;
}

struct ChoiceRow {
  std::string text;
  int code_page;  // 0 when none holds it
  int language_driver;
};

class DbfCodePageChoice : public ::testing::TestWithParam<ChoiceRow> {};

TEST_P(DbfCodePageChoice, PicksTheFirstPageHoldingEveryCharacter) {
  const DbfCodePage* page = ChooseDbfCodePage(CharactersOf(GetParam().text));
  if (GetParam().code_page == 0) {
    EXPECT_EQ(page, nullptr);
    return;
  }
  ASSERT_NE(page, nullptr);
  EXPECT_EQ(page->number, GetParam().code_page);
  EXPECT_EQ(page->language_driver, GetParam().language_driver);
}

INSTANTIATE_TEST_SUITE_P(Texts, DbfCodePageChoice,
                         ::testing::Values(ChoiceRow{"plain", 1252, 0x03}, ChoiceRow{"Café 5 €", 1252, 0x03},
                                           ChoiceRow{"Łódź", 1250, 0xC8}, ChoiceRow{"Привет", 1251, 0xC9},
                                           ChoiceRow{"Ελληνικά", 1253, 0xCB},
                                           ChoiceRow{"İstanbul ş", 1254, 0xCA},
                                           ChoiceRow{"Rīga ų", 1257, 0xCC}, ChoiceRow{"שלום", 0, 0},
                                           ChoiceRow{"مرحبا", 0, 0}, ChoiceRow{"Привет Ελλάδα", 0, 0},
                                           ChoiceRow{"漢字", 0, 0}, ChoiceRow{"😀", 0, 0}));

TEST(DbfCodePage, EncodesEachCharacterAsItsByte) {
  const DbfCodePage& windows_1252 = DbfCodePage::Candidates()[0];
  std::string out;
  ASSERT_TRUE(windows_1252.Encode("Café €5 “q” ÿ", out));
  EXPECT_EQ(out,
            "Caf\xE9 \x80"
            "5 \x93q\x94 \xFF");
  const DbfCodePage& windows_1251 = *ChooseDbfCodePage(CharactersOf("Я"));
  out.clear();
  ASSERT_TRUE(windows_1251.Encode("Яа", out));
  EXPECT_EQ(out, "\xDF\xE0");
}

TEST(DbfCodePage, RefusesCharactersItLacks) {
  std::string out;
  EXPECT_FALSE(DbfCodePage::Candidates()[0].Encode("Привет", out));
  EXPECT_FALSE(DbfCodePage::Candidates()[0].ByteFor(0x81).has_value()) << "an unused byte is not a character";
}

TEST(DbfCodePage, ClosestPageHoldsMostOfTheCharacters) {
  EXPECT_EQ(ClosestDbfCodePage(CharactersOf("Привет é")).number, 1251);
}

TEST(DbfCodePage, MalformedUtf8ReadsAsReplacementCharacters) {
  const std::string text = "a\xC3";
  std::size_t position = 1;
  EXPECT_EQ(NextCodePoint(text, position), U'\xFFFD');
  EXPECT_EQ(position, 2u);
  EXPECT_EQ(CodePointCount("h\xC3\xA9llo\xF0\x9F\x98\x80"), 6u);
  EXPECT_EQ(Utf8Of(U'\x1F600'), "\xF0\x9F\x98\x80");
}

TEST(DbfCodePage, AsciiChecksFindAnOddByteWhereverItIs) {
  // Texts around the eight-byte steps the checks take, with one byte put at every position.
  for (std::size_t length = 1; length <= 20; ++length) {
    for (std::size_t at = 0; at < length; ++at) {
      for (const char odd : {'\xC3', '\n', '\x1F', '\x7F', '~', ' '}) {
        std::string text(length, 'x');
        text[at] = odd;
        const auto byte = static_cast<unsigned char>(odd);
        EXPECT_EQ(IsAscii(text), byte < 0x80) << length << " " << at << " " << int{byte};
        EXPECT_EQ(IsPrintableAscii(text), byte >= 0x20 && byte < 0x80)
            << length << " " << at << " " << int{byte};
      }
    }
  }
  EXPECT_TRUE(IsAscii(""));
  EXPECT_TRUE(IsPrintableAscii(""));
}

}  // namespace
}  // namespace quorvex::sheet
