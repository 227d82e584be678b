// Controls that record everything a run shows, for the engine, catalogue and command-line tests.
#pragma once

#include <ostream>
#include <string>
#include <vector>

#include "engine/PlainControls.h"

namespace quorvex::testing {

/// Plain controls that keep, in order, every status, progress value, pointer change, message and
/// shell open, and let a test tick, untick and select rows as the user would.
class RecordingControls : public engine::PlainControls {
 public:
  struct Message {
    std::string text;
    engine::MessageIcon icon = engine::MessageIcon::kNone;
    bool operator==(const Message&) const = default;
    friend std::ostream& operator<<(std::ostream& out, const Message& message) {
      return out << "{\"" << message.text << "\", icon " << static_cast<int>(message.icon) << "}";
    }
  };

  /// Selects row `row`; ignored when no such row exists.
  void SelectWorkbookRow(int row);
  /// Ticks or unticks worksheet row `row`; ignored when no such row exists.
  void SetWorksheetRowChecked(int row, bool checked);
  const std::vector<Row>& workbook_rows() const { return workbook_rows_; }
  const std::vector<Row>& worksheet_rows() const { return worksheet_rows_; }

  void SetStatus(const std::string& text) override;
  void SetProgressMax(double max) override { progress_max_ = max; }
  void SetProgressValue(double value) override;
  void SetBusy(bool busy) override;
  void ShowMessage(const std::string& text, engine::MessageIcon icon) override;
  void OpenInShell(const std::string& path) override { shell_opens_.push_back(path); }

  const std::string& status() const { return status_; }
  const std::vector<std::string>& status_history() const { return status_history_; }
  double progress_max() const { return progress_max_; }
  double progress_value() const { return progress_value_; }
  const std::vector<double>& progress_value_history() const { return progress_value_history_; }
  bool busy() const { return busy_; }
  const std::vector<bool>& busy_history() const { return busy_history_; }
  const std::vector<Message>& messages() const { return messages_; }
  const std::vector<std::string>& shell_opens() const { return shell_opens_; }
  /// Forgets every recorded status, progress value, pointer change, message and shell open.
  void ClearRecords();

 private:
  std::string status_;
  std::vector<std::string> status_history_;
  double progress_max_ = 0;
  double progress_value_ = 0;
  std::vector<double> progress_value_history_;
  bool busy_ = false;
  std::vector<bool> busy_history_;
  std::vector<Message> messages_;
  std::vector<std::string> shell_opens_;
};

}  // namespace quorvex::testing
