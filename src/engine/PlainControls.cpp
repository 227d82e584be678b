// The controls as plain data: what the command line converts and what a window run snapshots.
#include "engine/PlainControls.h"

namespace quorvex::engine {

void PlainControls::TakeValuesFrom(const Controls& source) {
  selected_input_entry_ = source.SelectedInputEntry();
  workbook_rows_.clear();
  for (int row = 1; row <= source.WorkbookRowCount(); ++row) {
    workbook_rows_.push_back(Row{source.WorkbookRowText(row), source.WorkbookRowChecked(row)});
  }
  selected_workbook_row_ = source.SelectedWorkbookRow();
  worksheet_rows_.clear();
  for (int row = 1; row <= source.WorksheetRowCount(); ++row) {
    worksheet_rows_.push_back(Row{source.WorksheetRowText(row), source.WorksheetRowChecked(row)});
  }
  format_index_ = source.FormatIndex();
  naming_mode_ = source.NamingMode();
  html_type_index_ = source.HtmlTypeIndex();
  page_title_index_ = source.PageTitleIndex();
  entire_workbook_ = source.EntireWorkbook();
  short_extension_ = source.ShortExtension();
  output_directory_ = source.OutputDirectoryText();
  output_directory_typed_ = source.OutputDirectoryTyped();
}

const PlainControls::Row* PlainControls::RowAt(const std::vector<Row>& rows, int row) {
  if (row < 1 || static_cast<std::size_t>(row) > rows.size()) {
    return nullptr;
  }
  return &rows[static_cast<std::size_t>(row) - 1];
}

PlainControls::Row* PlainControls::RowAt(std::vector<Row>& rows, int row) {
  return const_cast<Row*>(RowAt(static_cast<const std::vector<Row>&>(rows), row));
}

std::string PlainControls::WorkbookRowText(int row) const {
  const Row* found = RowAt(workbook_rows_, row);
  return found == nullptr ? std::string() : found->text;
}

bool PlainControls::WorkbookRowChecked(int row) const {
  const Row* found = RowAt(workbook_rows_, row);
  return found != nullptr && found->checked;
}

void PlainControls::ClearWorkbookRows() {
  workbook_rows_.clear();
  selected_workbook_row_ = 0;
}

void PlainControls::AddWorkbookRow(const std::string& text, bool checked) {
  workbook_rows_.push_back(Row{text, checked});
  if (workbook_rows_.size() == 1) {
    selected_workbook_row_ = 1;
  }
}

void PlainControls::SetWorkbookRowChecked(int row, bool checked) {
  if (Row* found = RowAt(workbook_rows_, row)) {
    found->checked = checked;
  }
}

std::string PlainControls::WorksheetRowText(int row) const {
  const Row* found = RowAt(worksheet_rows_, row);
  return found == nullptr ? std::string() : found->text;
}

bool PlainControls::WorksheetRowChecked(int row) const {
  const Row* found = RowAt(worksheet_rows_, row);
  return found != nullptr && found->checked;
}

void PlainControls::AddWorksheetRow(const std::string& text, bool checked) {
  worksheet_rows_.push_back(Row{text, checked});
}

void PlainControls::SetOutputDirectory(const std::string& text, bool typed) {
  output_directory_ = text;
  output_directory_typed_ = typed;
}

}  // namespace quorvex::engine
