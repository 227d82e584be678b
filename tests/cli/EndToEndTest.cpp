// The quorvex executable on bad input and on a folder: clear errors, a status that says so,
// never a crash or a hang, and the good workbooks still converted.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

namespace fs = std::filesystem;

namespace {

struct Outcome {
  int status = -1;  // exit status, or -1 when the program did not exit normally
  std::string output;
};

/// Runs the command line with a time limit, capturing everything it prints.
Outcome RunQuorvex(const std::string& arguments) {
  const std::string command = "timeout 120 '" + std::string(QUORVEX_CLI) + "' " + arguments + " 2>&1";
  Outcome outcome;
  std::FILE* pipe = ::popen(command.c_str(), "r");
  if (!pipe) return outcome;
  char buffer[4096];
  while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) outcome.output.append(buffer, n);
  const int raw = ::pclose(pipe);
  if (WIFEXITED(raw)) outcome.status = WEXITSTATUS(raw);
  return outcome;
}

fs::path FreshDir(const std::string& name) {
  fs::path dir = fs::temp_directory_path() / ("quorvex-e2e-" + name);
  fs::remove_all(dir);
  fs::create_directories(dir);
  return dir;
}

TEST(EndToEnd, EveryBadWorkbookFailsWithAMessageNamingIt) {
  const fs::path bad = fs::path(QUORVEX_FIXTURES_DIR) / "bad";
  ASSERT_TRUE(fs::is_directory(bad));
  int checked = 0;
  for (const auto& entry : fs::directory_iterator(bad)) {
    if (entry.path().extension().string().rfind(".xls", 0) != 0) continue;
    const fs::path out = FreshDir("bad");
    Outcome outcome = RunQuorvex("convert --quiet -o '" + out.string() + "' '" + entry.path().string() + "'");
    EXPECT_EQ(outcome.status, 1) << entry.path() << "\n" << outcome.output;
    EXPECT_NE(outcome.output.find(entry.path().filename().string()), std::string::npos) << outcome.output;
    EXPECT_NE(outcome.output.find("file failed!"), std::string::npos) << outcome.output;
    ++checked;
  }
  EXPECT_GT(checked, 0);
}

TEST(EndToEnd, SheetWithoutItsPartConvertsEmptyWithAWarningOnStandardError) {
  const fs::path out = FreshDir("missing-part");
  const fs::path book = fs::path(QUORVEX_FIXTURES_DIR) / "lenient" / "missing_sheet_part.xlsx";
  Outcome outcome = RunQuorvex("convert --quiet -o '" + out.string() + "' '" + book.string() + "'");
  EXPECT_EQ(outcome.status, 0) << outcome.output;
  EXPECT_NE(outcome.output.find("Warning: \"missing_sheet_part.xlsx\": the sheet 'More' refers to a part that "
                                "does not exist"),
            std::string::npos)
      << outcome.output;
  EXPECT_TRUE(fs::is_empty(out / "missing_sheet_part" / "More.csv"));
  EXPECT_FALSE(fs::is_empty(out / "missing_sheet_part" / "Data.csv"));
}

TEST(EndToEnd, FolderWithABadWorkbookStillConvertsTheGoodOnes) {
  const fs::path in = FreshDir("mixed-in");
  const fs::path out = FreshDir("mixed-out");
  fs::copy_file(fs::path(QUORVEX_GOLDEN_DIR) / ".." / "fixtures" / "bad" / "not_a_zip.xlsx", in / "A bad.xlsx");
  bool copied = false;
  for (const auto& entry : fs::recursive_directory_iterator(QUORVEX_GOLDEN_DIR)) {
    if (!copied && entry.path().extension() == ".xlsx") {
      fs::copy_file(entry.path(), in / "B good.xlsx");
      copied = true;
    }
  }
  ASSERT_TRUE(copied);
  Outcome outcome = RunQuorvex("convert -o '" + out.string() + "' '" + in.string() + "'");
  EXPECT_EQ(outcome.status, 1) << outcome.output;
  EXPECT_NE(outcome.output.find("Convert Abad file failed!"), std::string::npos) << outcome.output;
  EXPECT_EQ(outcome.output.find("Convert Bgood file failed!"), std::string::npos) << outcome.output;
  EXPECT_FALSE(fs::is_empty(out / "Bgood"));
  EXPECT_TRUE(fs::is_empty(out / "Abad"));
}

TEST(EndToEnd, WrongArgumentsExitWithTwo) {
  EXPECT_EQ(RunQuorvex("convert").status, 2);
  EXPECT_EQ(RunQuorvex("convert --format pdf -o /tmp x.xlsx").status, 2);
  Outcome help = RunQuorvex("--help");
  EXPECT_EQ(help.status, 0);
  EXPECT_NE(help.output.find("quorvex convert"), std::string::npos);
}

TEST(EndToEnd, ReportsTheOutputFolderWhenNotQuiet) {
  const fs::path out = FreshDir("report");
  const fs::path empty_folder = FreshDir("report-in");
  std::ofstream(empty_folder / "readme.txt") << "no workbooks here";
  Outcome outcome = RunQuorvex("convert -o '" + out.string() + "' '" + empty_folder.string() + "'");
  // No workbook in the folder: the run says so and fails.
  EXPECT_EQ(outcome.status, 1);
  EXPECT_NE(outcome.output.find("Please select excel at fast!"), std::string::npos) << outcome.output;
}

}  // namespace
