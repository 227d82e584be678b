// Controls kept in memory: what the command line drives and what the tests inspect.
#include "engine/HeadlessControls.h"

namespace quorvex::engine {

const HeadlessControls::Row* HeadlessControls::RowAt(const std::vector<Row>& rows, int row) {
  if (row < 1 || static_cast<std::size_t>(row) > rows.size()) {
    return nullptr;
  }
  return &rows[static_cast<std::size_t>(row) - 1];
}

HeadlessControls::Row* HeadlessControls::RowAt(std::vector<Row>& rows, int row) {
  return const_cast<Row*>(RowAt(static_cast<const std::vector<Row>&>(rows), row));
}

std::string HeadlessControls::WorkbookRowText(int row) const {
  const Row* found = RowAt(workbook_rows_, row);
  return found == nullptr ? std::string() : found->text;
}

bool HeadlessControls::WorkbookRowChecked(int row) const {
  const Row* found = RowAt(workbook_rows_, row);
  return found != nullptr && found->checked;
}

void HeadlessControls::ClearWorkbookRows() {
  workbook_rows_.clear();
  selected_workbook_row_ = 0;
}

void HeadlessControls::AddWorkbookRow(const std::string& text, bool checked) {
  workbook_rows_.push_back(Row{text, checked});
  if (workbook_rows_.size() == 1) {
    selected_workbook_row_ = 1;
  }
}

void HeadlessControls::SelectWorkbookRow(int row) {
  if (RowAt(workbook_rows_, row) != nullptr) {
    selected_workbook_row_ = row;
  }
}

void HeadlessControls::SetWorkbookRowChecked(int row, bool checked) {
  if (Row* found = RowAt(workbook_rows_, row)) {
    found->checked = checked;
  }
}

std::string HeadlessControls::WorksheetRowText(int row) const {
  const Row* found = RowAt(worksheet_rows_, row);
  return found == nullptr ? std::string() : found->text;
}

bool HeadlessControls::WorksheetRowChecked(int row) const {
  const Row* found = RowAt(worksheet_rows_, row);
  return found != nullptr && found->checked;
}

void HeadlessControls::AddWorksheetRow(const std::string& text, bool checked) {
  worksheet_rows_.push_back(Row{text, checked});
}

void HeadlessControls::SetWorksheetRowChecked(int row, bool checked) {
  if (Row* found = RowAt(worksheet_rows_, row)) {
    found->checked = checked;
  }
}

void HeadlessControls::SetOutputDirectory(const std::string& text, bool typed) {
  output_directory_ = text;
  output_directory_typed_ = typed;
}

void HeadlessControls::SetStatus(const std::string& text) {
  status_ = text;
  status_history_.push_back(text);
  if (status_observer_) {
    status_observer_(text);
  }
}

void HeadlessControls::SetProgressValue(double value) {
  progress_value_ = value;
  progress_value_history_.push_back(value);
}

void HeadlessControls::SetBusy(bool busy) {
  busy_ = busy;
  busy_history_.push_back(busy);
}

void HeadlessControls::ShowMessage(const std::string& text, MessageIcon icon) {
  messages_.push_back(Message{text, icon});
  if (message_observer_) {
    message_observer_(messages_.back());
  }
}

void HeadlessControls::OpenInShell(const std::string& path) {
  shell_opens_.push_back(path);
  if (shell_observer_) {
    shell_observer_(path);
  }
}

void HeadlessControls::ClearRecords() {
  status_history_.clear();
  progress_value_history_.clear();
  busy_history_.clear();
  messages_.clear();
  shell_opens_.clear();
}

}  // namespace quorvex::engine
