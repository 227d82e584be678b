// The built-in application's own rules: creation, version, errors that name what failed.
#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "automation/AutomationError.h"
#include "automation/FileFormat.h"
#include "automation/builtin/BuiltinApplication.h"
#include "sheet/ooxml/XlsxPackage.h"

namespace quorvex::automation {
namespace {

std::string DescriptionOf(const std::function<void()>& action) {
  try {
    action();
  } catch (const AutomationError& error) {
    return error.description();
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
  const auto dir =
      std::filesystem::temp_directory_path() / ("quorvex-builtin-open-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto text_file = dir / "notes.xlsx";
  std::ofstream(text_file) << "just some words, not a workbook";

  std::string missing = DescriptionOf([&] { app->WorkbooksOpen((dir / "absent.xlsx").string()); });
  EXPECT_NE(missing.find("absent.xlsx"), std::string::npos) << missing;

  // The cause once, the file named once.
  std::string not_workbook = DescriptionOf([&] { app->WorkbooksOpen(text_file.string()); });
  EXPECT_EQ(not_workbook, "Cannot open \"notes.xlsx\": the file is not a workbook") << not_workbook;

  const auto book = dir / "Book.xlsx";
  std::ofstream(book, std::ios::binary)
      << sheet::test_support::XlsxPackage().AddSheet("S", sheet::test_support::WorksheetXml("")).Build();
  Workbook& workbook = app->WorkbooksOpen(book.string());
  const std::string target = (dir / "missing" / "S.csv").string();
  std::string unwritable = DescriptionOf([&] { workbook.SaveAs(target, kCsv); });
  EXPECT_EQ(unwritable, "Cannot save the sheet \"S\" of \"Book.xlsx\" as \"" + target +
                            "\": cannot create: No such file or directory")
      << unwritable;
  std::filesystem::remove_all(dir);
}

TEST(BuiltinApplication, SaveAsRefusesCodesOfTheOtherScopeAndExistingFilesWhileAlertsAreOn) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("quorvex-builtin-codes-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  const auto book_path = dir / "Book.xlsx";
  std::ofstream(book_path, std::ios::binary)
      << sheet::test_support::XlsxPackage().AddSheet("S", sheet::test_support::WorksheetXml("")).Build();
  const std::string existing = (dir / "Book.xlsx").string();
  const std::string fresh = (dir / "out.x").string();
  auto app = CreateBuiltinApplication("Excel.Application");
  Workbook& book = app->WorkbooksOpen(book_path.string());
  const std::string sheet_what = "Cannot save the sheet \"S\" of \"Book.xlsx\" as \"";
  struct Case {
    std::function<void()> save;
    std::string description;
  };
  const std::vector<Case> cases = {
      {[&] { book.SaveAs(fresh, 99); }, sheet_what + fresh + "\": the file format 99 is not available"},
      {[&] { book.Worksheets(1).SaveAs(fresh, kHtml); },
       sheet_what + fresh + "\": the file format 44 is not available"},
      {[&] { book.Worksheets(1).SaveAs(existing, kDbf4); },
       sheet_what + existing + "\": the file already exists"},
      {[&] { book.SaveAs(existing, kXmlSpreadsheet); },
       "Cannot save the workbook \"Book.xlsx\" as \"" + existing + "\": the file already exists"},
  };
  for (const Case& c : cases) EXPECT_EQ(DescriptionOf(c.save), c.description);
  EXPECT_FALSE(std::filesystem::exists(fresh));
  app->Quit();
  std::filesystem::remove_all(dir);
}

TEST(BuiltinApplication, SaveWithoutSelectionWritesTheSheetActiveInTheFile) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("quorvex-builtin-active-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  auto sheet = [](const char* value) {
    return std::string(
               "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
               "<sheetData><row r=\"1\"><c r=\"A1\"><v>") +
           value + "</v></c></row></sheetData></worksheet>";
  };
  sheet::test_support::XlsxPackage package;
  package.AddSheet("First", sheet("1")).AddSheet("Second", sheet("2"));
  package.SetPart("xl/workbook.xml",
                  "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
                  "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
                  "<bookViews><workbookView activeTab=\"1\"/></bookViews><sheets>"
                  "<sheet name=\"First\" sheetId=\"1\" r:id=\"rId1\"/>"
                  "<sheet name=\"Second\" sheetId=\"2\" r:id=\"rId2\"/></sheets></workbook>");
  const auto book_path = dir / "Active.xlsx";
  std::ofstream(book_path, std::ios::binary) << package.Build();

  auto app = CreateBuiltinApplication("Excel.Application");
  Workbook& book = app->WorkbooksOpen(book_path.string());
  app->SetDisplayAlerts(false);
  book.SaveAs((dir / "active.csv").string(), kCsv);
  book.SheetsSelect(1);
  book.SaveAs((dir / "selected.csv").string(), kCsv);
  book.Close();
  app->Quit();

  auto read = [](const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string((std::istreambuf_iterator<char>(in)), {});
  };
  EXPECT_EQ(read(dir / "active.csv"), "2");
  EXPECT_EQ(read(dir / "selected.csv"), "1");
  std::filesystem::remove_all(dir);
}

TEST(BuiltinApplication, WarnsOnceNamingTheFileWhenASheetsPartIsMissing) {
  const auto dir =
      std::filesystem::temp_directory_path() / ("quorvex-builtin-warn-" + std::to_string(::getpid()));
  std::filesystem::create_directories(dir);
  sheet::test_support::XlsxPackage package;
  package.AddSheet("Gone", "<worksheet/>").RemovePart("xl/worksheets/sheet1.xml");
  const auto book_path = dir / "Holes.xlsx";
  std::ofstream(book_path, std::ios::binary) << package.Build();

  std::vector<std::string> warnings;
  auto app = CreateBuiltinApplication("Excel.Application",
                                      [&](const std::string& text) { warnings.push_back(text); });
  Workbook& book = app->WorkbooksOpen(book_path.string());
  app->SetDisplayAlerts(false);
  book.SaveAs((dir / "first.csv").string(), kCsv);
  book.SaveAs((dir / "second.csv").string(), kCsv);
  app->Quit();

  EXPECT_TRUE(std::filesystem::exists(dir / "first.csv"));
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(
      warnings[0].rfind("Warning: \"Holes.xlsx\": the sheet 'Gone' refers to a part that does not exist", 0),
      0u)
      << warnings[0];
  std::filesystem::remove_all(dir);
}

}  // namespace
}  // namespace quorvex::automation
