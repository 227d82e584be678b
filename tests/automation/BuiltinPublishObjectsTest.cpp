// The built-in engine's publish collection and whole-workbook saves, on fixture workbooks.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "automation/AutomationError.h"
#include "automation/FileFormat.h"
#include "automation/builtin/BuiltinApplication.h"

namespace quorvex::automation {
namespace {

namespace fs = std::filesystem;

std::string ReadFile(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool Has(const std::string& text, const std::string& part) {
  return text.find(part) != std::string::npos;
}

class BuiltinPublishObjectsTest : public ::testing::Test {
 protected:
  void SetUp() override {
    dir_ = fs::temp_directory_path() /
           ("quorvex-publish-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_);
    application_ = CreateBuiltinApplication("Excel.Application");
    workbook_ = &application_->WorkbooksOpen(std::string(QUORVEX_FIXTURES_DIR) + "/Layout.xlsx");
    application_->SetDisplayAlerts(false);
  }
  void TearDown() override {
    application_->Quit();
    fs::remove_all(dir_);
  }

  std::string File(const std::string& name) const { return (dir_ / name).string(); }
  void Add(const std::string& file, const std::string& sheet, int type = kHtmlStatic,
           const std::string& title = "") {
    workbook_->PublishObjectsAdd(kSourceSheet, File(file), sheet, std::nullopt, type, std::nullopt, title);
  }

  fs::path dir_;
  std::unique_ptr<Application> application_;
  Workbook* workbook_ = nullptr;
};

TEST_F(BuiltinPublishObjectsTest, PublishWritesEveryStoredItemAndDeleteEmptiesTheCollection) {
  Add("sales.htm", "Sales Data", kHtmlStatic, "Layout_Sales Data");
  Add("offset.mht", "Offset", kHtmlCalc);
  EXPECT_FALSE(fs::exists(File("sales.htm"))) << "Add alone writes nothing";
  workbook_->PublishObjectsPublish();
  const std::string page = ReadFile(File("sales.htm"));
  EXPECT_TRUE(Has(page, "<title>Layout_Sales Data</title>"));
  EXPECT_TRUE(Has(page, ">Feb</td>"));
  EXPECT_TRUE(Has(page, ">95.5</td>"));
  const std::string archive = ReadFile(File("offset.mht"));
  EXPECT_TRUE(Has(archive, "Content-Type: multipart/related;"));
  EXPECT_TRUE(Has(archive, "q-formula"));

  workbook_->PublishObjectsDelete();
  fs::remove(File("sales.htm"));
  workbook_->PublishObjectsPublish();
  EXPECT_FALSE(fs::exists(File("sales.htm"))) << "the collection was emptied";
}

TEST_F(BuiltinPublishObjectsTest, SheetNamesMatchWithoutRegardToCase) {
  Add("gaps.htm", "GAPS");
  workbook_->PublishObjectsPublish();
  EXPECT_TRUE(Has(ReadFile(File("gaps.htm")), ">end</td>"));
}

TEST_F(BuiltinPublishObjectsTest, AddRefusesUnknownSheetsRangesAndTypes) {
  EXPECT_THROW(Add("x.htm", "No Such Sheet"), AutomationError);
  EXPECT_THROW(Add("x.htm", "Chart"), AutomationError) << "a chart sheet has no cells to publish";
  EXPECT_THROW(workbook_->PublishObjectsAdd(kSourceSheet, File("x.htm"), "Gaps", std::string("A1:B2"),
                                            kHtmlStatic, std::nullopt, ""),
               AutomationError);
  EXPECT_THROW(
      workbook_->PublishObjectsAdd(2, File("x.htm"), "Gaps", std::nullopt, kHtmlStatic, std::nullopt, ""),
      AutomationError);
  EXPECT_THROW(Add("x.htm", "Gaps", 3), AutomationError);
  workbook_->PublishObjectsPublish();
  EXPECT_FALSE(fs::exists(File("x.htm")));
}

TEST_F(BuiltinPublishObjectsTest, PublishWithAlertsOnKeepsAnExistingPage) {
  application_->SetDisplayAlerts(true);
  { std::ofstream(File("gaps.htm")) << "keep"; }
  Add("gaps.htm", "Gaps");
  EXPECT_THROW(workbook_->PublishObjectsPublish(), AutomationError);
  EXPECT_EQ(ReadFile(File("gaps.htm")), "keep");
}

TEST_F(BuiltinPublishObjectsTest, SaveAsWritesTheWholeWorkbookInEachWebFormat) {
  workbook_->SaveAs(File("Layout.htm"), kHtml);
  const std::string page = ReadFile(File("Layout.htm"));
  for (const char* sheet : {"Sales Data", "Offset", "Gaps", "Padded", "Empty"}) {
    EXPECT_TRUE(Has(page, std::string("<summary>") + sheet + "</summary>")) << sheet;
  }
  EXPECT_FALSE(Has(page, "<summary>Chart</summary>"));
  EXPECT_TRUE(Has(page, "<title>Layout</title>"));

  workbook_->SaveAs(File("Layout.mhtml"), kWebArchive);
  EXPECT_TRUE(Has(ReadFile(File("Layout.mhtml")), "Content-Transfer-Encoding: quoted-printable"));

  workbook_->SaveAs(File("Layout.xml"), kXmlSpreadsheet);
  const std::string xml = ReadFile(File("Layout.xml"));
  EXPECT_TRUE(Has(xml, "<Worksheet ss:Name=\"Sales Data\">"));
  EXPECT_TRUE(Has(xml, "<Worksheet ss:Name=\"Empty\">"));
  EXPECT_FALSE(Has(xml, "ss:Name=\"Chart\""));
}

}  // namespace
}  // namespace quorvex::automation
