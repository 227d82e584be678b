// Tests of reading and writing the one-value-per-line list files.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "settings/LineFile.h"
#include "support/TempDir.h"

namespace quorvex::settings {
namespace {

using Lines = std::vector<std::string>;
using testing::TempDir;

std::string Bytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

struct SplitCase {
  const char* name;
  std::string text;
  Lines expected;
};

class SplitLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, EndsLinesAtCrCrLfOrLf) {
  EXPECT_EQ(SplitLines(GetParam().text), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Terminators, SplitLinesTest,
                         ::testing::Values(SplitCase{"Empty", "", {}},
                                           SplitCase{"CrLf", "a\r\nb\r\n", {"a", "b"}},
                                           SplitCase{"CrOnly", "a\rb\r", {"a", "b"}},
                                           SplitCase{"LfOnly", "a\nb\n", {"a", "b"}},
                                           SplitCase{"LastLineUnterminated", "a\r\nb", {"a", "b"}},
                                           SplitCase{"EmptyLinesKept", "\r\n\r\nx\r\n", {"", "", "x"}},
                                           SplitCase{"CrCrLfIsTwoLines", "a\r\r\n", {"a", ""}},
                                           SplitCase{"BlanksBelongToTheValue", " 1 \r\n", {" 1 "}}),
                         [](const ::testing::TestParamInfo<SplitCase>& info) { return info.param.name; });

TEST(LineFile, MissingFileHasNoLines) {
  TempDir dir;
  EXPECT_TRUE(ReadLines(dir / "absent.txt").empty());
}

TEST(LineFile, WritesEveryLineWithCrLf) {
  TempDir dir;
  ASSERT_TRUE(WriteLines(dir / "f.txt", {"C:/a b", "", "Données"}));
  EXPECT_EQ(Bytes(dir / "f.txt"), "C:/a b\r\n\r\nDonnées\r\n");
}

TEST(LineFile, EmptyListLeavesAnEmptyFile) {
  TempDir dir;
  dir.MakeFile("f.txt", "old\r\n");
  ASSERT_TRUE(WriteLines(dir / "f.txt", {}));
  EXPECT_EQ(Bytes(dir / "f.txt"), "");
}

TEST(LineFile, RoundTripsLinesInOrder) {
  TempDir dir;
  const Lines lines = {"/x/EXCEL one.xlsx", "/y", "", "/z/ü.xls"};
  ASSERT_TRUE(WriteLines(dir / "f.txt", lines));
  EXPECT_EQ(ReadLines(dir / "f.txt"), lines);
}

TEST(LineFile, WriteIntoMissingFolderFailsAndLeavesNothing) {
  TempDir dir;
  EXPECT_FALSE(WriteLines(dir / "no/such/f.txt", {"a"}));
  EXPECT_TRUE(ReadLines(dir / "no/such/f.txt").empty());
}

}  // namespace
}  // namespace quorvex::settings
