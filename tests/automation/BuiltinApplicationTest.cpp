// The built-in application's own rules: creation, version, errors that name what failed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "automation/AutomationError.h"
#include "automation/builtin/BuiltinApplication.h"

namespace quorvex::automation {
namespace {

std::string DescriptionOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const AutomationError& error) {
    return error.Description();
  }
  return "(no error)";
}

TEST(BuiltinApplication, AnswersExcelApplicationInAnyCase) {
  EXPECT_NE(CreateBuiltinApplication("Excel.Application"), nullptr);
  EXPECT_NE(CreateBuiltinApplication("excel.application"), nullptr);
  EXPECT_NE(DescriptionOf([] { CreateBuiltinApplication("Word.Application"); }).find("Word.Application"),
            std::string::npos);
}

TEST(BuiltinApplication, ReportsMajorVersionEleven) {
  auto app = CreateBuiltinApplication("Excel.Application");
  EXPECT_EQ(app->Version(), "11.0");
}

TEST(BuiltinApplication, CallsAfterQuitFail) {
  auto app = CreateBuiltinApplication("Excel.Application");
  app->Quit();
  EXPECT_NE(DescriptionOf([&] { app->Version(); }).find("quit"), std::string::npos);
}

TEST(BuiltinApplication, OpenFailureNamesTheFileAndTheReason) {
  auto app = CreateBuiltinApplication("Excel.Application");
  const auto dir = std::filesystem::temp_directory_path() / ("quorvex-builtin-open-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto text_file = dir / "notes.xlsx";
  std::ofstream(text_file) << "just some words, not a workbook";

  std::string missing = DescriptionOf([&] { app->WorkbooksOpen((dir / "absent.xlsx").string()); });
  EXPECT_NE(missing.find("absent.xlsx"), std::string::npos) << missing;

  std::string not_workbook = DescriptionOf([&] { app->WorkbooksOpen(text_file.string()); });
  EXPECT_NE(not_workbook.find("notes.xlsx"), std::string::npos) << not_workbook;
  EXPECT_NE(not_workbook.find("not a workbook"), std::string::npos) << not_workbook;
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quorvex::automation
