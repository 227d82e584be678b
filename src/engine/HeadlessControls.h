// Controls kept in memory: what the command line drives and what the tests inspect.
#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/Controls.h"

namespace quorvex::engine {

/// Lists, options and the output box as plain data; everything shown is recorded in order.
/// Rows are 1-based like the window's; reads of rows that do not exist give "" and false.
class HeadlessControls : public Controls {
 public:
  struct Row {
    std::string text;
    bool checked = false;
    bool operator==(const Row&) const = default;
  };
  struct Message {
    std::string text;
    MessageIcon icon = MessageIcon::kNone;
    bool operator==(const Message&) const = default;
  };

  // Input list: only the selected entry matters to the engine and the catalogue.
  std::string SelectedInputEntry() const override { return selected_input_entry_; }
  void SetSelectedInputEntry(const std::string& entry) { selected_input_entry_ = entry; }

  // Workbook list. The first row added to an empty list becomes the selected one.
  int WorkbookRowCount() const override { return static_cast<int>(workbook_rows_.size()); }
  std::string WorkbookRowText(int row) const override;
  bool WorkbookRowChecked(int row) const override;
  int SelectedWorkbookRow() const override { return selected_workbook_row_; }
  void ClearWorkbookRows() override;
  void AddWorkbookRow(const std::string& text, bool checked) override;
  /// Selects row `row`; ignored when no such row exists.
  void SelectWorkbookRow(int row);
  /// Ticks or unticks row `row`; ignored when no such row exists.
  void SetWorkbookRowChecked(int row, bool checked);
  const std::vector<Row>& WorkbookRows() const { return workbook_rows_; }

  // Worksheet list.
  int WorksheetRowCount() const override { return static_cast<int>(worksheet_rows_.size()); }
  std::string WorksheetRowText(int row) const override;
  bool WorksheetRowChecked(int row) const override;
  void ClearWorksheetRows() override { worksheet_rows_.clear(); }
  void AddWorksheetRow(const std::string& text, bool checked) override;
  /// Ticks or unticks row `row`; ignored when no such row exists.
  void SetWorksheetRowChecked(int row, bool checked);
  const std::vector<Row>& WorksheetRows() const { return worksheet_rows_; }

  // Option panel; every list starts with nothing selected (-1), as an unfilled window would.
  int FormatIndex() const override { return format_index_; }
  int NamingMode() const override { return naming_mode_; }
  int HtmlTypeIndex() const override { return html_type_index_; }
  int PageTitleIndex() const override { return page_title_index_; }
  bool EntireWorkbook() const override { return entire_workbook_; }
  bool ShortExtension() const override { return short_extension_; }
  void SetFormatIndex(int index) { format_index_ = index; }
  void SetNamingMode(int index) { naming_mode_ = index; }
  void SetHtmlTypeIndex(int index) { html_type_index_ = index; }
  void SetPageTitleIndex(int index) { page_title_index_ = index; }
  void SetEntireWorkbook(bool value) { entire_workbook_ = value; }
  void SetShortExtension(bool value) { short_extension_ = value; }

  // Output directory box.
  std::string OutputDirectoryText() const override { return output_directory_; }
  bool OutputDirectoryTyped() const override { return output_directory_typed_; }
  void SetOutputDirectory(const std::string& text, bool typed);

  // Feedback, recorded.
  void SetStatus(const std::string& text) override;
  void SetProgressMax(double max) override { progress_max_ = max; }
  void SetProgressValue(double value) override;
  void SetBusy(bool busy) override;
  void ShowMessage(const std::string& text, MessageIcon icon) override;
  void OpenInShell(const std::string& path) override;

  const std::string& Status() const { return status_; }
  const std::vector<std::string>& StatusHistory() const { return status_history_; }
  double ProgressMax() const { return progress_max_; }
  double ProgressValue() const { return progress_value_; }
  const std::vector<double>& ProgressValueHistory() const { return progress_value_history_; }
  bool Busy() const { return busy_; }
  const std::vector<bool>& BusyHistory() const { return busy_history_; }
  const std::vector<Message>& Messages() const { return messages_; }
  const std::vector<std::string>& ShellOpens() const { return shell_opens_; }
  /// Forgets every recorded status, progress value, pointer change, message and shell open.
  void ClearRecords();

  /// Called with each message as it is shown (the command line prints them).
  void SetMessageObserver(std::function<void(const Message&)> observer) {
    message_observer_ = std::move(observer);
  }
  /// Called with each status text as it is set.
  void SetStatusObserver(std::function<void(const std::string&)> observer) {
    status_observer_ = std::move(observer);
  }
  /// Called with each path the run asks the shell to open.
  void SetShellObserver(std::function<void(const std::string&)> observer) {
    shell_observer_ = std::move(observer);
  }

 private:
  static const Row* RowAt(const std::vector<Row>& rows, int row);
  static Row* RowAt(std::vector<Row>& rows, int row);

  std::string selected_input_entry_;
  std::vector<Row> workbook_rows_;
  int selected_workbook_row_ = 0;
  std::vector<Row> worksheet_rows_;

  int format_index_ = -1;
  int naming_mode_ = -1;
  int html_type_index_ = -1;
  int page_title_index_ = -1;
  bool entire_workbook_ = false;
  bool short_extension_ = true;

  std::string output_directory_;
  bool output_directory_typed_ = false;

  std::string status_;
  std::vector<std::string> status_history_;
  double progress_max_ = 0;
  double progress_value_ = 0;
  std::vector<double> progress_value_history_;
  bool busy_ = false;
  std::vector<bool> busy_history_;
  std::vector<Message> messages_;
  std::vector<std::string> shell_opens_;

  std::function<void(const Message&)> message_observer_;
  std::function<void(const std::string&)> status_observer_;
  std::function<void(const std::string&)> shell_observer_;
};

}  // namespace quorvex::engine
