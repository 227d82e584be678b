// A test fixture for exporters: one workbook row over a fake application and headless controls.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "support/FakeExcel.h"
#include "support/RecordingControls.h"
#include "support/ScriptedRandomSource.h"
#include "support/TempDir.h"

namespace quorvex::testing {

/// Workbook row 1 is `file_name` inside a temporary input folder (its path in book_), the
/// format list shows `format_index`, naming rule 0 is chosen and WorkbookOutputPath is
/// `output_path`. The fake application knows no workbook until a test scripts one at book_.
class ExporterTest : public ::testing::Test {
 protected:
  void PrepareWorkbookRow(const std::string& file_name, int format_index, const std::string& output_path) {
    book_ = dir_.MakeFile(file_name);
    controls_.SetSelectedInputEntry(dir_.path());
    controls_.AddWorkbookRow(file_name, true);
    controls_.SetFormatIndex(format_index);
    controls_.SetNamingMode(0);
    state_.SetWorkbookOutputPath(output_path);
  }

  bool Called(const std::string& call) const {
    const std::vector<std::string>& calls = excel_.calls();
    return std::find(calls.begin(), calls.end(), call) != calls.end();
  }

  TempDir dir_;
  std::string book_;
  FakeExcel excel_;
  engine::EngineState state_;
  testing::RecordingControls controls_;
  ScriptedRandomSource random_;
  engine::EngineContext context_{state_, controls_, excel_.Factory(), random_};
};

}  // namespace quorvex::testing
