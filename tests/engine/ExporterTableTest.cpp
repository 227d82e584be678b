// Tests of the format dispatch rule and the exporter registrations.
#include <gtest/gtest.h>

#include "engine/ExporterTable.h"

namespace quorvex::engine {
namespace {

TEST(RouteFor, SendsEachFormatToItsExporterFamily) {
  struct Case {
    int format;
    bool entire_workbook;
    ExportSlot slot;
    bool creates_folder;
    bool progress_after_return;
  };
  const Case cases[] = {
      {0, false, ExportSlot::kDelimited, true, false},   {1, true, ExportSlot::kDelimited, true, false},
      {2, true, ExportSlot::kWorkbookWeb, false, true},  {3, true, ExportSlot::kWorkbookWeb, false, true},
      {2, false, ExportSlot::kSheetsWeb, true, false},   {3, false, ExportSlot::kSheetsWeb, true, false},
      {4, false, ExportSlot::kWorkbookXml, false, true}, {4, true, ExportSlot::kWorkbookXml, false, true},
      {5, false, ExportSlot::kDbf, true, false},         {7, true, ExportSlot::kDbf, true, false},
      {-1, false, ExportSlot::kDbf, true, false},        {8, false, ExportSlot::kDbf, true, false},
  };
  for (const Case& c : cases) {
    const ExportRoute route = RouteFor(c.format, c.entire_workbook);
    EXPECT_EQ(route.slot, c.slot) << c.format << " " << c.entire_workbook;
    EXPECT_EQ(route.creates_folder, c.creates_folder) << c.format << " " << c.entire_workbook;
    EXPECT_EQ(route.progress_after_return, c.progress_after_return) << c.format << " " << c.entire_workbook;
  }
}

TEST(ExporterTable, StandardTableOffersEveryFormat) {
  const ExporterTable table = StandardExporters();
  for (const int format : {0, 1, 2, 3, 4, 5, 6, 7}) {
    EXPECT_TRUE(table.Offers(format, false)) << format;
    EXPECT_TRUE(table.Offers(format, true)) << format;
  }
}

TEST(ExporterTable, OneRegistrationMakesAFormatAvailable) {
  ExporterTable table;
  EXPECT_EQ(table.Find(ExportSlot::kWorkbookXml), nullptr);
  table.Register(ExportSlot::kWorkbookXml, [](EngineContext&, int) { return ExportResult::kDone; });
  EXPECT_NE(table.Find(ExportSlot::kWorkbookXml), nullptr);
  EXPECT_TRUE(table.Offers(4, false));
  EXPECT_FALSE(table.Offers(2, true));
}

}  // namespace
}  // namespace quorvex::engine
