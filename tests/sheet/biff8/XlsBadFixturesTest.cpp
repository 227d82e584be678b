// Damaged and encrypted .xls files made from a real LibreOffice workbook
// (tests/fixtures/legacy/bad/): each opened through the opener gives its clear error.
#include <gtest/gtest.h>

#include "../support/EventLog.h"
#include "sheet/WorkbookOpener.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet {
namespace {

struct BadFile {
  const char* file;
  SheetErrorCode code;
  const char* phrase;
};

void PrintTo(const BadFile& bad, std::ostream* out) {
  *out << bad.file;
}

class XlsBadFixture : public ::testing::TestWithParam<BadFile> {};

TEST_P(XlsBadFixture, GivesItsError) {
  const std::string path = std::string(QUORVEX_FIXTURES_DIR) + "/legacy/bad/" + GetParam().file;
  try {
    auto reader = OpenWorkbookFile(path);
    for (std::size_t i = 0; i < reader->workbook().sheets.size(); ++i) {
      test_support::EventLog log;
      reader->ReadSheet(i, log);
    }
    FAIL() << "no error";
  } catch (const SheetError& error) {
    EXPECT_EQ(error.code(), GetParam().code) << error.what();
    EXPECT_NE(std::string(error.what()).find(GetParam().phrase), std::string::npos) << error.what();
    EXPECT_NE(std::string(error.what()).find(GetParam().file), std::string::npos) << error.what();
  }
}

INSTANTIATE_TEST_SUITE_P(
    Files, XlsBadFixture,
    ::testing::Values(
        BadFile{"truncated.xls", SheetErrorCode::kCorrupt, "the compound file is truncated"},
        BadFile{"chain_loop.xls", SheetErrorCode::kCorrupt, "the chain of the stream 'Workbook' loops"},
        BadFile{"sector_past_end.xls", SheetErrorCode::kCorrupt, "which does not exist"},
        BadFile{"filepass.xls", SheetErrorCode::kPasswordProtected, "the workbook is password-protected"},
        BadFile{"record_past_end.xls", SheetErrorCode::kCorrupt, "longer than the rest of the stream"}));

}  // namespace
}  // namespace quorvex::sheet
