// A fake open workbook: its scripted sheets, and every call logged through FakeExcel.
#include "support/FakeWorkbook.h"

#include <initializer_list>
#include <string_view>

#include "automation/AutomationError.h"
#include "support/FakeWorksheet.h"

namespace quorvex::testing {

namespace {

// Concatenates the parts of one logged call (appending avoids a false -Wrestrict of g++ 12).
std::string Join(std::initializer_list<std::string_view> parts) {
  std::string joined;
  for (const std::string_view part : parts) {
    joined.append(part);
  }
  return joined;
}

std::string Optional(const std::optional<std::string>& text) {
  return text ? *text : "-";
}

}  // namespace

FakeWorkbook::FakeWorkbook(FakeExcel& excel, std::vector<FakeSheet> sheets)
    : excel_(excel), sheets_(std::move(sheets)) {}

FakeWorkbook::~FakeWorkbook() = default;

const FakeSheet& FakeWorkbook::WorksheetAt(int index) const {
  int seen = 0;
  for (const FakeSheet& sheet : sheets_) {
    if (sheet.is_worksheet && ++seen == index) {
      return sheet;
    }
  }
  throw automation::AutomationError("Subscript out of range: no worksheet " + std::to_string(index) + ".");
}

int FakeWorkbook::WorksheetsCount() {
  excel_.Record("Worksheets.count");
  int count = 0;
  for (const FakeSheet& sheet : sheets_) {
    count += sheet.is_worksheet ? 1 : 0;
  }
  return count;
}

std::string FakeWorkbook::WorksheetsName(int index) {
  excel_.Record(Join({"Worksheets(", std::to_string(index), ").name"}));
  return WorksheetAt(index).name;
}

automation::Worksheet& FakeWorkbook::Worksheets(int index) {
  excel_.Record(Join({"Worksheets(", std::to_string(index), ")"}));
  handles_.push_back(std::make_unique<FakeWorksheet>(excel_, index, WorksheetAt(index)));
  return *handles_.back();
}

const FakeSheet& FakeWorkbook::SheetAt(int index) const {
  if (index < 1 || static_cast<std::size_t>(index) > sheets_.size()) {
    throw automation::AutomationError("Subscript out of range: no sheet " + std::to_string(index) + ".");
  }
  return sheets_[static_cast<std::size_t>(index - 1)];
}

int FakeWorkbook::SheetsCount() {
  excel_.Record("Sheets.count");
  return static_cast<int>(sheets_.size());
}

std::string FakeWorkbook::SheetsName(int index) {
  excel_.Record(Join({"Sheets(", std::to_string(index), ").name"}));
  return SheetAt(index).name;
}

automation::SheetType FakeWorkbook::SheetsType(int index) {
  excel_.Record(Join({"Sheets(", std::to_string(index), ").Type"}));
  return SheetAt(index).is_worksheet ? automation::SheetType::kWorksheet : automation::SheetType::kChart;
}

automation::SheetVisibility FakeWorkbook::SheetsVisible(int index) {
  excel_.Record(Join({"Sheets(", std::to_string(index), ").Visible"}));
  SheetAt(index);
  return automation::SheetVisibility::kVisible;
}

std::string FakeWorkbook::SheetsUsedRangeAddress(int index) {
  excel_.Record(Join({"Sheets(", std::to_string(index), ").UsedRange.Address"}));
  const FakeSheet& sheet = SheetAt(index);
  if (!sheet.is_worksheet) return {};
  return "A1:" + std::string(1, static_cast<char>('A' + sheet.used_columns - 1)) +
         std::to_string(sheet.used_rows);
}

void FakeWorkbook::SheetsSelect(int index) {
  excel_.Record(Join({"Sheets(", std::to_string(index), ").Select"}));
  SheetAt(index);
}

void FakeWorkbook::WorksheetsSelect(int index) {
  excel_.Record(Join({"Worksheets(", std::to_string(index), ").Select"}));
  WorksheetAt(index);
}

void FakeWorkbook::SaveAs(const std::string& file_name, int file_format) {
  excel_.Record(Join({"SaveAs(", file_name, ", ", std::to_string(file_format), ")"}));
}

void FakeWorkbook::PublishObjectsAdd(int source_type, const std::string& file_name, const std::string& sheet,
                                     const std::optional<std::string>& source, int html_type,
                                     const std::optional<std::string>& div_id, const std::string& title) {
  excel_.Record(
      Join({"PublishObjects.Add(", std::to_string(source_type), ", ", file_name, ", ", sheet, ", ",
            Optional(source), ", ", std::to_string(html_type), ", ", Optional(div_id), ", ", title, ")"}));
}

void FakeWorkbook::PublishObjectsPublish() {
  excel_.Record("PublishObjects.Publish");
}

void FakeWorkbook::PublishObjectsDelete() {
  excel_.Record("PublishObjects.Delete");
}

void FakeWorkbook::Close() {
  excel_.Record("Close");
}

}  // namespace quorvex::testing
