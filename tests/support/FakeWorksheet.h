// A fake worksheet handle: scripted used range and top-left cell, every call logged.
#pragma once

#include <string>

#include "automation/Application.h"
#include "support/FakeExcel.h"

namespace quorvex::testing {

class FakeWorksheet : public automation::Worksheet {
 public:
  FakeWorksheet(FakeExcel& excel, int index, FakeSheet sheet);

  std::string Name() override;
  void Activate() override;
  int UsedRangeRowsCount() override;
  int UsedRangeColumnsCount() override;
  std::string UsedRangeCellAddress(int row, int column) override;
  automation::Variant Cells(int row, int column) override;
  void ColumnsAutoFit() override;
  void RangeSelect(const std::string& first, const std::string& last) override;
  void SaveAs(const std::string& file_name, int file_format) override;

 private:
  // "Worksheets(i)." in front of each logged call.
  std::string Prefix() const;

  FakeExcel& excel_;
  int index_;
  FakeSheet sheet_;
};

}  // namespace quorvex::testing
