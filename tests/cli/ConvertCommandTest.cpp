// The convert command against the recording fake application.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "cli/ConvertCommand.h"
#include "support/FakeExcel.h"
#include "support/TempDir.h"

namespace quorvex::cli {
namespace {

class ConvertCommandTest : public ::testing::Test {
 protected:
  std::string AddWorkbookFile(const std::string& name, const std::vector<std::string>& sheets) {
    dir_.MakeFolder("in");
    const std::string path = dir_.MakeFile("in/" + name, "x");
    excel_.AddWorkbook(path, sheets);
    return path;
  }
  // Runs the command, keeping the lines it printed on each stream.
  // One job unless a test asks for more: the fake's call log is in the order the calls came.
  int Run(ConvertOptions options, bool quiet = true) {
    if (options.jobs == 0) options.jobs = 1;
    std::FILE* out = std::tmpfile();
    std::FILE* err = std::tmpfile();
    ConsoleControls controls(out, err, quiet, false);
    int status = RunConvert(options, controls, excel_.Factory());
    out_lines_ = Lines(out);
    err_lines_ = Lines(err);
    return status;
  }
  static std::vector<std::string> Lines(std::FILE* file) {
    std::string text;
    std::rewind(file);
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, file)) text.append(buffer, n);
    std::fclose(file);
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) lines.push_back(line);
    return lines;
  }
  std::vector<std::string> Saves() const {
    std::vector<std::string> saves;
    for (const auto& call : excel_.calls()) {
      if (call.rfind("SaveAs(", 0) == 0) saves.push_back(call);
    }
    return saves;
  }

  testing::TempDir dir_;
  testing::FakeExcel excel_;
  std::vector<std::string> out_lines_;
  std::vector<std::string> err_lines_;
};

TEST_F(ConvertCommandTest, ConvertsEveryWorkbookOfAFolderIntoItsOwnFolder) {
  AddWorkbookFile("b.xlsx", {"One"});
  AddWorkbookFile("a.xlsx", {"Jan", "Feb"});
  const std::string out = dir_ / "out";
  ConvertOptions options;
  options.output_directory = out;
  options.inputs = {dir_ / "in"};
  EXPECT_EQ(Run(options), 0);
  EXPECT_TRUE(err_lines_.empty());
  EXPECT_TRUE(out_lines_.empty()) << "quiet: no summary after a run without failures";
  EXPECT_EQ(Saves(),
            (std::vector<std::string>{"SaveAs(" + out + "/a/Jan.csv, 6)", "SaveAs(" + out + "/a/Feb.csv, 6)",
                                      "SaveAs(" + out + "/b/One.csv, 6)"}));
}

TEST_F(ConvertCommandTest, SheetOptionKeepsOnlyNamedSheets) {
  const std::string a = AddWorkbookFile("a.xlsx", {"Jan", "Feb", "Mar"});
  AddWorkbookFile("b.xlsx", {"Feb", "Summary"});
  const std::string out = dir_ / "out";
  ConvertOptions options;
  options.format_index = 1;
  options.output_directory = out;
  options.sheets = {"Feb"};
  options.inputs = {dir_ / "in"};
  EXPECT_EQ(Run(options), 0);
  EXPECT_EQ(Saves(), (std::vector<std::string>{"SaveAs(" + out + "/a/Feb.txt, -4158)",
                                               "SaveAs(" + out + "/b/Feb.txt, -4158)"}));
}

TEST_F(ConvertCommandTest, SheetOptionOverSeveralFoldersSavesEachWorkbooksOwnSheet) {
  const auto add = [&](const std::string& file, const std::vector<std::string>& sheets) {
    excel_.AddWorkbook(dir_.MakeFile(file, "x"), sheets);
  };
  dir_.MakeFolder("p1");
  dir_.MakeFolder("p2");
  add("p1/A.xlsx", {"Keep", "Other"});
  add("p1/B.xlsx", {"Keep", "Old1", "Old2"});
  add("p2/C.xlsx", {"Keep", "c2"});
  add("p2/D.xlsx", {"New1", "Keep", "New3"});
  add("p2/E.xlsx", {"Other"});
  const std::string out = dir_ / "out";
  ConvertOptions options;
  options.output_directory = out;
  options.sheets = {"Keep"};
  options.inputs = {dir_ / "p1", dir_ / "p2"};
  EXPECT_EQ(Run(options), 0);
  // Each save must follow the selection of that workbook's own "Keep" sheet.
  std::vector<std::string> selects_and_saves;
  for (const std::string& call : excel_.calls()) {
    if (call.rfind("SaveAs(", 0) == 0 || call.find(").Select") != std::string::npos) {
      selects_and_saves.push_back(call);
    }
  }
  EXPECT_EQ(selects_and_saves,
            (std::vector<std::string>{"Worksheets(1).Select", "SaveAs(" + out + "/A/Keep.csv, 6)",
                                      "Worksheets(1).Select", "SaveAs(" + out + "/B/Keep.csv, 6)",
                                      "Worksheets(1).Select", "SaveAs(" + out + "/C/Keep.csv, 6)",
                                      "Worksheets(2).Select", "SaveAs(" + out + "/D/Keep.csv, 6)"}));
  EXPECT_FALSE(std::filesystem::exists(out + "/E")) << "a workbook without the sheet gets no folder";
}

TEST_F(ConvertCommandTest, WildcardCharactersAreOrdinaryInFileNames) {
  dir_.MakeFolder("one");
  dir_.MakeFolder("many");
  const std::string named = dir_.MakeFile("one/Why?.xlsx", "x");
  excel_.AddWorkbook(named, {"S"});
  excel_.AddWorkbook(dir_.MakeFile("many/Star*.xlsx", "x"), {"T"});
  const std::string out = dir_ / "out";
  ConvertOptions options;
  options.output_directory = out;
  options.inputs = {named, dir_ / "many"};
  EXPECT_EQ(Run(options), 0);
  EXPECT_TRUE(err_lines_.empty());
  EXPECT_EQ(Saves(), (std::vector<std::string>{"SaveAs(" + out + "/Why?/S.csv, 6)",
                                               "SaveAs(" + out + "/Star*/T.csv, 6)"}));
}

TEST_F(ConvertCommandTest, MissingInputIsReportedAndTheOthersStillConvert) {
  const std::string a = AddWorkbookFile("a.xlsx", {"S"});
  ConvertOptions options;
  options.output_directory = dir_ / "out";
  options.inputs = {dir_ / "absent.xlsx", a};
  EXPECT_EQ(Run(options), 1);
  EXPECT_EQ(err_lines_, std::vector<std::string>{"Cannot find the workbook or folder \"" +
                                                 (dir_ / "absent.xlsx") + "\""});
  EXPECT_EQ(Saves().size(), 1u);
}

TEST_F(ConvertCommandTest, FailedWorkbookGivesNonZeroStatusWithTheSystemsMessages) {
  const std::string a = AddWorkbookFile("My Book.xlsx", {"S"});
  excel_.FailOn("Workbooks.Open", "Cannot open \"My Book.xlsx\": the file is not a workbook.");
  ConvertOptions options;
  options.output_directory = dir_ / "out";
  options.inputs = {a};
  EXPECT_EQ(Run(options), 1);
  // Quiet still prints the failures, and the summary naming them is the last line.
  EXPECT_EQ(err_lines_, (std::vector<std::string>{
                            "Cannot open \"My Book.xlsx\": the file is not a workbook.",
                            "Convert MyBook file failed!",
                            "Failed: Cannot open \"My Book.xlsx\": the file is not a workbook.",
                            "Converted 0 workbooks (0 files), 1 failed. Output folder: " + (dir_ / "out/"),
                        }));
}

TEST_F(ConvertCommandTest, UnusableOutputDirectoryStopsTheRun) {
  const std::string a = AddWorkbookFile("a.xlsx", {"S"});
  ConvertOptions options;
  options.output_directory = dir_ / "no/such/dir";
  options.inputs = {a};
  EXPECT_EQ(Run(options), 1);
  EXPECT_EQ(err_lines_, std::vector<std::string>{"Failed to create folder! " + (dir_ / "no/such/dir") +
                                                 ": No such file or directory"});
  EXPECT_EQ(excel_.creations(), 0);
}

TEST_F(ConvertCommandTest, SummaryWithTheOutputFolderIsTheLastLine) {
  const std::string a = AddWorkbookFile("a.xlsx", {"S1", "S2"});
  AddWorkbookFile("b.xlsx", {"S"});
  ConvertOptions options;
  options.output_directory = dir_ / "out";
  options.inputs = {a, dir_ / "in"};
  EXPECT_EQ(Run(options, false), 0);
  EXPECT_EQ(err_lines_, (std::vector<std::string>{"Convert a", "Convert a", "Convert b"}));
  EXPECT_EQ(out_lines_,
            std::vector<std::string>{"Converted 3 workbooks (5 files). Output folder: " + (dir_ / "out/")});
}

}  // namespace
}  // namespace quorvex::cli
