// Controls that record everything a run shows, for the engine, catalogue and command-line tests.
#include "support/RecordingControls.h"

namespace quorvex::testing {

void RecordingControls::SelectWorkbookRow(int row) {
  if (RowAt(workbook_rows_, row) != nullptr) {
    selected_workbook_row_ = row;
  }
}

void RecordingControls::SetWorksheetRowChecked(int row, bool checked) {
  if (Row* found = RowAt(worksheet_rows_, row)) {
    found->checked = checked;
  }
}

void RecordingControls::SetStatus(const std::string& text) {
  status_ = text;
  status_history_.push_back(text);
}

void RecordingControls::SetProgressValue(double value) {
  progress_value_ = value;
  progress_value_history_.push_back(value);
}

void RecordingControls::SetBusy(bool busy) {
  busy_ = busy;
  busy_history_.push_back(busy);
}

void RecordingControls::ShowMessage(const std::string& text, engine::MessageIcon icon) {
  messages_.push_back(Message{text, icon});
}

void RecordingControls::ClearRecords() {
  status_history_.clear();
  progress_value_history_.clear();
  busy_history_.clear();
  messages_.clear();
  shell_opens_.clear();
}

}  // namespace quorvex::testing
