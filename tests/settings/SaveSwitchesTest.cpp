// Tests of reading and writing the two save switches of "set.txt".
#include <gtest/gtest.h>

#include "settings/LineFile.h"
#include "settings/SaveSwitches.h"
#include "support/TempDir.h"

namespace quorvex::settings {
namespace {

using testing::TempDir;

struct SwitchCase {
  const char* name;
  std::string content;
  SaveSwitches expected;
};

class ReadSaveSwitchesTest : public ::testing::TestWithParam<SwitchCase> {};

TEST_P(ReadSaveSwitchesTest, OnOnlyWhenLineIsExactlyOne) {
  TempDir dir;
  dir.MakeFile("set.txt", GetParam().content);
  EXPECT_EQ(ReadSaveSwitches(dir.path()), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Lines, ReadSaveSwitchesTest,
                         ::testing::Values(SwitchCase{"BothOn", "1\r\n1\r\n", {true, true}},
                                           SwitchCase{"FirstOnly", "1\r\n0\r\n", {true, false}},
                                           SwitchCase{"SecondOnly", "0\r\n1\r\n", {false, true}},
                                           SwitchCase{"SingleLine", "1\r\n", {true, false}},
                                           SwitchCase{"Unterminated", "1\r\n1", {true, true}},
                                           SwitchCase{"LeadingBlank", " 1\r\n1\r\n", {false, true}},
                                           SwitchCase{"TrailingBlank", "1 \r\n1 \r\n", {false, false}},
                                           SwitchCase{"OtherText", "yes\r\ntrue\r\n", {false, false}},
                                           SwitchCase{"EmptyLines", "\r\n\r\n", {false, false}},
                                           SwitchCase{"ExtraLinesIgnored", "0\r\n1\r\n1\r\n", {false, true}},
                                           SwitchCase{"EmptyFile", "", {false, false}}),
                         [](const ::testing::TestParamInfo<SwitchCase>& info) { return info.param.name; });

TEST(SaveSwitches, MissingFileIsBothOff) {
  TempDir dir;
  EXPECT_EQ(ReadSaveSwitches(dir.path()), (SaveSwitches{false, false}));
}

TEST(SaveSwitches, WritesOneAndZeroLines) {
  TempDir dir;
  ASSERT_TRUE(WriteSaveSwitches(dir.path(), {false, true}));
  EXPECT_EQ(ReadLines(dir / "set.txt"), (std::vector<std::string>{"0", "1"}));
  EXPECT_EQ(ReadSaveSwitches(dir.path()), (SaveSwitches{false, true}));
}

}  // namespace
}  // namespace quorvex::settings
