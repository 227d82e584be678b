// Workbook operations of the built-in engine.
#include "automation/builtin/BuiltinWorkbook.h"

#include <filesystem>

#include "automation/AutomationError.h"
#include "automation/FileFormat.h"
#include "automation/builtin/BuiltinWorksheet.h"
#include "automation/builtin/ErrorTranslation.h"
#include "sheet/WorkbookOpener.h"
#include "sheet/writers/SheetSaver.h"

namespace quorvex::automation {

BuiltinWorkbook::BuiltinWorkbook(const std::string& path, bool display_alerts)
    : path_(path), display_alerts_(display_alerts) {
  TranslateErrors("Cannot open \"" + path + "\"", [&] {
    reader_ = sheet::OpenWorkbookFile(path);
    cell_text_ = std::make_unique<sheet::numfmt::CellText>(reader_->workbook());
  });
  worksheet_positions_ = reader_->workbook().WorksheetPositions();
  worksheets_.resize(worksheet_positions_.size());
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

void BuiltinWorkbook::WorksheetsSelect(int index) { active_ = WorksheetPosition(index, "Worksheets().Select"); }

void BuiltinWorkbook::SaveAs(const std::string& file_name, int file_format) {
  RequireOpen("SaveAs");
  SaveSheet(active_, file_name, file_format);
}

void BuiltinWorkbook::SaveSheet(std::size_t position, const std::string& file_name, int file_format) {
  const sheet::SheetInfo& info = reader_->workbook().sheets[position];
  const std::string what = "Cannot save the sheet \"" + info.name + "\" of \"" + FileName() + "\" as \"" +
                           file_name + "\"";
  char delimiter = 0;
  if (file_format == kCsv) delimiter = ',';
  else if (file_format == kText) delimiter = '\t';
  else throw AutomationError(what + ": the file format " + std::to_string(file_format) + " is not available.");
  if (info.kind != sheet::SheetKind::kWorksheet) {
    throw AutomationError(what + ": only worksheets can be saved as text.");
  }
  std::error_code error;
  if (display_alerts_ && std::filesystem::exists(file_name, error)) {
    // Alerts on would ask before replacing; with nobody to ask, keep the existing file.
    throw AutomationError(what + ": the file already exists.");
  }
  TranslateErrors(what, [&] { sheet::SaveDelimited(*reader_, *cell_text_, position, file_name, delimiter); });
}

void BuiltinWorkbook::PublishObjectsAdd(int, const std::string&, const std::string&,
                                        const std::optional<std::string>&, int, const std::optional<std::string>&,
                                        const std::string&) {
  RequireOpen("PublishObjects.Add");
  throw AutomationError("PublishObjects.Add failed: publishing web pages is not available in this version.");
}

void BuiltinWorkbook::PublishObjectsPublish() {
  RequireOpen("PublishObjects.Publish");
  throw AutomationError("PublishObjects.Publish failed: publishing web pages is not available in this version.");
}

void BuiltinWorkbook::PublishObjectsDelete() { RequireOpen("PublishObjects.Delete"); }

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

std::string BuiltinWorkbook::FileName() const { return std::filesystem::path(path_).filename().string(); }

void BuiltinWorkbook::RequireOpen(const char* operation) const {
  if (!reader_) throw AutomationError(std::string(operation) + " failed: the workbook \"" + FileName() + "\" is closed.");
}

std::size_t BuiltinWorkbook::WorksheetPosition(int index, const char* operation) {
  RequireOpen(operation);
  if (index < 1 || static_cast<std::size_t>(index) > worksheet_positions_.size()) {
    throw AutomationError(std::string(operation) + " failed: there is no worksheet " + std::to_string(index) +
                          " in \"" + FileName() + "\" (it has " + std::to_string(worksheet_positions_.size()) +
                          ").");
  }
  return worksheet_positions_[static_cast<std::size_t>(index - 1)];
}

}  // namespace quorvex::automation
