// Workbook operations of the built-in engine.
#include "automation/builtin/BuiltinWorkbook.h"

#include <algorithm>
#include <ctime>
#include <filesystem>

#include "automation/AutomationError.h"
#include "automation/builtin/BuiltinPublishObjects.h"
#include "automation/builtin/BuiltinWorksheet.h"
#include "automation/builtin/ErrorTranslation.h"
#include "automation/builtin/SaveFormats.h"
#include "platform/LocalTime.h"
#include "platform/Utf8Path.h"
#include "sheet/WorkbookOpener.h"

namespace quorvex::automation {

BuiltinWorkbook::BuiltinWorkbook(const std::string& path, bool display_alerts, WarningSink warnings)
    : path_(path), display_alerts_(display_alerts) {
  TranslateErrors("Cannot open \"" + FileName() + "\"", [&] {
    reader_ = sheet::OpenWorkbookFile(path);
    cell_text_ = std::make_unique<sheet::numfmt::CellText>(reader_->workbook());
  });
  if (warnings) {
    // A sheet may be read several times (its range, then its cells); each warning is told once.
    reader_->SetWarningHandler([this, warnings = std::move(warnings)](const std::string& sentence) {
      if (std::find(warnings_told_.begin(), warnings_told_.end(), sentence) != warnings_told_.end()) return;
      warnings_told_.push_back(sentence);
      warnings("Warning: \"" + FileName() + "\": " + sentence);
    });
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

void BuiltinWorkbook::SheetsSelect(int index) {
  RequireOpen("Sheets().Select");
  const auto& sheets = reader_->workbook().sheets;
  if (index < 1 || static_cast<std::size_t>(index) > sheets.size()) {
    throw AutomationError("Sheets(" + std::to_string(index) + ").Select failed: the workbook \"" +
                          FileName() + "\" has " + std::to_string(sheets.size()) + " sheets.");
  }
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
    throw AutomationError(what + ": the file format " + std::to_string(file_format) + " is not available.");
  }
  if (info.kind != sheet::SheetKind::kWorksheet) {
    throw AutomationError(what + ": only worksheets can be saved as text.");
  }
  RefuseToReplace(what, file_name);
  TranslateErrors(what, [&] { format->save(*this, position, file_name); });
}

void BuiltinWorkbook::RefuseToReplace(const std::string& what, const std::string& file_name) const {
  std::error_code error;
  if (display_alerts_ && std::filesystem::exists(platform::PathFromUtf8(file_name), error)) {
    // Alerts on would ask before replacing; with nobody to ask, keep the existing file.
    throw AutomationError(what + ": the file already exists.");
  }
}

std::unique_ptr<sheet::SheetScan> BuiltinWorkbook::TakeKeptCells(std::size_t position) {
  std::unique_ptr<sheet::SheetScan> kept;
  for (std::size_t i = 0; i < worksheet_positions_.size(); ++i) {
    if (worksheet_positions_[i] == position && worksheets_[i]) kept = worksheets_[i]->TakeKeptCells();
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

void BuiltinWorkbook::RequireOpen(const char* operation) const {
  if (!reader_)
    throw AutomationError(std::string(operation) + " failed: the workbook \"" + FileName() + "\" is closed.");
}

std::size_t BuiltinWorkbook::WorksheetPosition(int index, const char* operation) {
  RequireOpen(operation);
  if (index < 1 || static_cast<std::size_t>(index) > worksheet_positions_.size()) {
    throw AutomationError(std::string(operation) + " failed: there is no worksheet " + std::to_string(index) +
                          " in \"" + FileName() + "\" (it has " +
                          std::to_string(worksheet_positions_.size()) + ").");
  }
  return worksheet_positions_[static_cast<std::size_t>(index - 1)];
}

}  // namespace quorvex::automation
