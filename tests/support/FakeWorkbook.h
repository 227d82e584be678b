// A fake open workbook: its scripted sheets, and every call logged through FakeExcel.
#pragma once

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "automation/Application.h"
#include "support/FakeExcel.h"

namespace quorvex::testing {

class FakeWorksheet;

class FakeWorkbook : public automation::Workbook {
 public:
  FakeWorkbook(FakeExcel& excel, std::vector<FakeSheet> sheets);
  ~FakeWorkbook() override;

  int WorksheetsCount() override;
  std::string WorksheetsName(int index) override;
  automation::Worksheet& Worksheets(int index) override;
  int SheetsCount() override;
  std::string SheetsName(int index) override;
  automation::SheetType SheetsType(int index) override;
  automation::SheetVisibility SheetsVisible(int index) override;
  std::string SheetsUsedRangeAddress(int index) override;
  void SheetsSelect(int index) override;
  void WorksheetsSelect(int index) override;
  void SaveAs(const std::string& file_name, int file_format) override;
  void PublishObjectsAdd(int source_type, const std::string& file_name, const std::string& sheet,
                         const std::optional<std::string>& source, int html_type,
                         const std::optional<std::string>& div_id, const std::string& title) override;
  void PublishObjectsPublish() override;
  void PublishObjectsDelete() override;
  void Close() override;

 private:
  // The index-th sheet (1-based); throws when there is none.
  const FakeSheet& SheetAt(int index) const;
  // The index-th worksheet (1-based) among the sheets; throws when there is none.
  const FakeSheet& WorksheetAt(int index) const;

  FakeExcel& excel_;
  std::vector<FakeSheet> sheets_;
  std::vector<std::unique_ptr<FakeWorksheet>> handles_;
};

}  // namespace quorvex::testing
