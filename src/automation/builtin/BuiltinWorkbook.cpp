// Workbook operations of the built-in engine.
#include "automation/builtin/BuiltinWorkbook.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "automation/AutomationError.h"
#include "automation/builtin/BuiltinPublishObjects.h"
#include "automation/builtin/BuiltinWorksheet.h"
#include "automation/builtin/CellAddress.h"
#include "automation/builtin/ErrorTranslation.h"
#include "automation/builtin/SaveFormats.h"
#include "platform/LocalTime.h"
#include "platform/Utf8Path.h"
#include "sheet/WorkbookOpener.h"

namespace quorvex::automation {

BuiltinWorkbook::BuiltinWorkbook(const std::string& path, bool display_alerts, WarningSink warnings,
                                 SaveOptions options)
    : path_(path), display_alerts_(display_alerts), warnings_(std::move(warnings)), options_(options) {
  TranslateErrors("Cannot open \"" + FileName() + "\"", [&] {
    reader_ = sheet::OpenWorkbookFile(path);
    cell_text_ = std::make_unique<sheet::numfmt::CellText>(reader_->workbook());
  });
  if (warnings_) {
    reader_->SetWarningHandler([this](const std::string& sentence) { Warn(sentence); });
  }
  worksheet_positions_ = reader_->workbook().WorksheetPositions();
  worksheets_.resize(worksheet_positions_.size());
  // A save without a selection writes the sheet that was active when the file was saved.
  if (reader_->workbook().active_sheet < reader_->workbook().sheets.size()) {
    active_ = reader_->workbook().active_sheet;
  }
}

BuiltinWorkbook::~BuiltinWorkbook() = default;

int BuiltinWorkbook::WorksheetsCount() {
  RequireOpen("Worksheets.count");
  return static_cast<int>(worksheet_positions_.size());
}

std::string BuiltinWorkbook::WorksheetsName(int index) {
  return reader_->workbook().sheets[WorksheetPosition(index, "Worksheets().name")].name;
}

Worksheet& BuiltinWorkbook::Worksheets(int index) {
  std::size_t position = WorksheetPosition(index, "Worksheets()");
  auto& sheet = worksheets_[static_cast<std::size_t>(index - 1)];
  if (!sheet) sheet = std::make_unique<BuiltinWorksheet>(*this, position);
  return *sheet;
}

const sheet::SheetInfo& BuiltinWorkbook::SheetAt(int index, const char* operation) {
  RequireOpen(operation);
  const auto& sheets = reader_->workbook().sheets;
  if (index < 1 || static_cast<std::size_t>(index) > sheets.size()) {
    throw AutomationError("Sheets(" + std::to_string(index) + ")." + operation + " failed: the workbook \"" +
                          FileName() + "\" has " + std::to_string(sheets.size()) + " sheets");
  }
  return sheets[static_cast<std::size_t>(index - 1)];
}

int BuiltinWorkbook::SheetsCount() {
  RequireOpen("Sheets.count");
  return static_cast<int>(reader_->workbook().sheets.size());
}

std::string BuiltinWorkbook::SheetsName(int index) {
  return SheetAt(index, "name").name;
}

SheetType BuiltinWorkbook::SheetsType(int index) {
  switch (SheetAt(index, "Type").kind) {
    case sheet::SheetKind::kChart:
      return SheetType::kChart;
    case sheet::SheetKind::kDialog:
      return SheetType::kDialog;
    case sheet::SheetKind::kMacro:
      return SheetType::kMacro;
    case sheet::SheetKind::kWorksheet:
      break;
  }
  return SheetType::kWorksheet;
}

SheetVisibility BuiltinWorkbook::SheetsVisible(int index) {
  const sheet::SheetInfo& info = SheetAt(index, "Visible");
  if (info.very_hidden) return SheetVisibility::kVeryHidden;
  return info.hidden ? SheetVisibility::kHidden : SheetVisibility::kVisible;
}

std::string BuiltinWorkbook::SheetsUsedRangeAddress(int index) {
  const sheet::SheetInfo& info = SheetAt(index, "UsedRange.Address");
  if (info.kind != sheet::SheetKind::kWorksheet) return {};
  // The used range by the records, as the worksheets find it, read without keeping the cells.
  sheet::SheetScan scan(nullptr, sheet::CellKeeping::kNone);
  TranslateErrors("Cannot read the sheet \"" + info.name + "\" of \"" + FileName() + "\"",
                  [&] { reader_->ReadSheet(static_cast<std::size_t>(index - 1), scan); });
  const std::optional<sheet::CellRange> used = scan.used_range();
  if (!used) return {};
  const auto address = [](std::uint32_t row, std::uint32_t column) {
    return ColumnLetters(column) + std::to_string(std::uint64_t{row} + 1);
  };
  std::string first = address(used->first_row, used->first_column);
  if (used->first_row == used->last_row && used->first_column == used->last_column) return first;
  return first + ":" + address(used->last_row, used->last_column);
}

void BuiltinWorkbook::SheetsSelect(int index) {
  SheetAt(index, "Select");
  active_ = static_cast<std::size_t>(index - 1);
}

void BuiltinWorkbook::WorksheetsSelect(int index) {
  active_ = WorksheetPosition(index, "Worksheets().Select");
}

void BuiltinWorkbook::SaveAs(const std::string& file_name, int file_format) {
  RequireOpen("SaveAs");
  const SaveFormat* format = SaveFormatOf(file_format);
  if (format != nullptr && format->scope == SaveScope::kWorkbook) {
    const std::string what = "Cannot save the workbook \"" + FileName() + "\" as \"" + file_name + "\"";
    RefuseToReplace(what, file_name);
    TranslateErrors(what, [&] { format->save(*this, active_, file_name); });
    return;
  }
  SaveSheet(active_, file_name, file_format);
}

void BuiltinWorkbook::SaveSheet(std::size_t position, const std::string& file_name, int file_format) {
  const sheet::SheetInfo& info = reader_->workbook().sheets[position];
  const std::string what =
      "Cannot save the sheet \"" + info.name + "\" of \"" + FileName() + "\" as \"" + file_name + "\"";
  const SaveFormat* format = SaveFormatOf(file_format);
  if (format == nullptr || format->scope != SaveScope::kSheet) {
    throw AutomationError(what + ": the file format " + std::to_string(file_format) + " is not available");
  }
  if (info.kind != sheet::SheetKind::kWorksheet) {
    throw AutomationError(what + ": only worksheets can be saved as text");
  }
  RefuseToReplace(what, file_name);
  Replacements replaced;
  TranslateErrors(what, [&] { replaced = format->save(*this, position, file_name); });
  if (replaced.count > 0) {
    Warn(std::to_string(replaced.count) + (replaced.count == 1 ? " character" : " characters") +
         " of the sheet \"" + info.name + "\" that " + replaced.encoding + " cannot hold " +
         (replaced.count == 1 ? "was" : "were") + " written as \"?\" in \"" +
         platform::FileNameOf(file_name) + "\"");
  }
}

void BuiltinWorkbook::RefuseToReplace(const std::string& what, const std::string& file_name) const {
  std::error_code error;
  if (display_alerts_ && std::filesystem::exists(platform::PathFromUtf8(file_name), error)) {
    // Alerts on would ask before replacing; with nobody to ask, keep the existing file.
    throw AutomationError(what + ": the file already exists");
  }
}

KeptReading BuiltinWorkbook::TakeKeptReading(std::size_t position) {
  KeptReading kept;
  for (std::size_t i = 0; i < worksheet_positions_.size(); ++i) {
    if (worksheet_positions_[i] == position && worksheets_[i]) kept = worksheets_[i]->TakeKeptReading();
  }
  return kept;
}

sheet::DbfSaveRequest BuiltinWorkbook::DbfRequest(std::size_t position, sheet::DbfVersion version) {
  // A dBASE save writes the sheet's selection, with character fields at least as wide as the
  // fitted columns; a sheet never selected or fitted saves its used range at content width.
  sheet::DbfSaveRequest request;
  request.version = version;
  for (std::size_t i = 0; i < worksheet_positions_.size(); ++i) {
    if (worksheet_positions_[i] == position && worksheets_[i]) {
      request.range = worksheets_[i]->selection();
      request.fit_columns = worksheets_[i]->columns_auto_fitted();
    }
  }
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  platform::LocalTime(now, local);
  request.today = {local.tm_year + 1900, local.tm_mon + 1, local.tm_mday};
  return request;
}

void BuiltinWorkbook::PublishObjectsAdd(int source_type, const std::string& file_name,
                                        const std::string& sheet, const std::optional<std::string>& source,
                                        int html_type, const std::optional<std::string>& div_id,
                                        const std::string& title) {
  RequireOpen("PublishObjects.Add");
  publish_objects_.Add(*this, {source_type, file_name, sheet, source, html_type, div_id, title});
}

void BuiltinWorkbook::PublishObjectsPublish() {
  RequireOpen("PublishObjects.Publish");
  publish_objects_.Publish(*this);
}

void BuiltinWorkbook::PublishObjectsDelete() {
  RequireOpen("PublishObjects.Delete");
  publish_objects_.Delete();
}

void BuiltinWorkbook::Close() {
  // Worksheet handles stay valid objects; every call on them now reports the closed workbook.
  cell_text_.reset();
  reader_.reset();
}

sheet::WorkbookReader& BuiltinWorkbook::reader() {
  RequireOpen("reading");
  return *reader_;
}

const sheet::numfmt::CellText& BuiltinWorkbook::cell_text() {
  RequireOpen("reading");
  return *cell_text_;
}

std::string BuiltinWorkbook::FileName() const {
  return platform::FileNameOf(path_);
}

void BuiltinWorkbook::Warn(const std::string& sentence) {
  // A sheet may be read several times (its range, then its cells); each warning is told once.
  if (!warnings_ ||
      std::find(warnings_told_.begin(), warnings_told_.end(), sentence) != warnings_told_.end()) {
    return;
  }
  warnings_told_.push_back(sentence);
  warnings_("Warning: \"" + FileName() + "\": " + sentence);
}

void BuiltinWorkbook::RequireOpen(const char* operation) const {
  if (!reader_)
    throw AutomationError(std::string(operation) + " failed: the workbook \"" + FileName() + "\" is closed");
}

std::size_t BuiltinWorkbook::WorksheetPosition(int index, const char* operation) {
  RequireOpen(operation);
  if (index < 1 || static_cast<std::size_t>(index) > worksheet_positions_.size()) {
    throw AutomationError(std::string(operation) + " failed: there is no worksheet " + std::to_string(index) +
                          " in \"" + FileName() + "\" (it has " +
                          std::to_string(worksheet_positions_.size()) + ")");
  }
  return worksheet_positions_[static_cast<std::size_t>(index - 1)];
}

}  // namespace quorvex::automation
