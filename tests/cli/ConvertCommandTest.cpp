// The convert command against the recording fake application.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>

#include "support/FakeExcel.h"
#include "support/TempDir.h"
#include "cli/ConvertCommand.h"

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
  int Run(ConvertOptions options) {
    std::FILE* sink = std::tmpfile();
    ConsoleControls controls(sink, sink, true, false);
    int status = RunConvert(options, controls, excel_.Factory());
    messages_ = controls.Messages();
    std::fclose(sink);
    return status;
  }
  std::vector<std::string> Saves() const {
    std::vector<std::string> saves;
    for (const auto& call : excel_.Calls()) {
      if (call.rfind("SaveAs(", 0) == 0) saves.push_back(call);
    }
    return saves;
  }

  testing::TempDir dir_;
  testing::FakeExcel excel_;
  std::vector<engine::HeadlessControls::Message> messages_;
};

TEST_F(ConvertCommandTest, ConvertsEveryWorkbookOfAFolderIntoItsOwnFolder) {
  AddWorkbookFile("b.xlsx", {"One"});
  AddWorkbookFile("a.xlsx", {"Jan", "Feb"});
  const std::string out = dir_ / "out";
  ConvertOptions options;
  options.output_directory = out;
  options.inputs = {dir_ / "in"};
  EXPECT_EQ(Run(options), 0);
  EXPECT_TRUE(messages_.empty());
  EXPECT_EQ(Saves(), (std::vector<std::string>{"SaveAs(" + out + "/a/Jan.csv, 6)", "SaveAs(" + out + "/a/Feb.csv, 6)",
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

TEST_F(ConvertCommandTest, MissingInputIsReportedAndTheOthersStillConvert) {
  const std::string a = AddWorkbookFile("a.xlsx", {"S"});
  ConvertOptions options;
  options.output_directory = dir_ / "out";
  options.inputs = {dir_ / "absent.xlsx", a};
  EXPECT_EQ(Run(options), 1);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_NE(messages_[0].text.find("absent.xlsx"), std::string::npos);
  EXPECT_EQ(Saves().size(), 1u);
}

TEST_F(ConvertCommandTest, FailedWorkbookGivesNonZeroStatusWithTheSystemsMessages) {
  const std::string a = AddWorkbookFile("My Book.xlsx", {"S"});
  excel_.FailOn("Workbooks.Open", "Cannot open \"My Book.xlsx\": the file is not a workbook.");
  ConvertOptions options;
  options.output_directory = dir_ / "out";
  options.inputs = {a};
  EXPECT_EQ(Run(options), 1);
  ASSERT_EQ(messages_.size(), 2u);
  EXPECT_EQ(messages_[0].text, "Cannot open \"My Book.xlsx\": the file is not a workbook.");
  EXPECT_EQ(messages_[1].text, "Convert MyBook file failed!");
}

TEST_F(ConvertCommandTest, UnusableOutputDirectoryStopsTheRun) {
  const std::string a = AddWorkbookFile("a.xlsx", {"S"});
  ConvertOptions options;
  options.output_directory = dir_ / "no/such/dir";
  options.inputs = {a};
  EXPECT_EQ(Run(options), 1);
  ASSERT_EQ(messages_.size(), 1u);
  EXPECT_EQ(messages_[0].text, "Failed to create folder!");
  EXPECT_EQ(excel_.Creations(), 0);
}

}  // namespace
}  // namespace quorvex::cli
