// The controls as plain data: what the command line converts and what a window run snapshots.
#pragma once

#include <atomic>
#include <string>
#include <vector>

#include "engine/Controls.h"

namespace quorvex::engine {

/// The input entry, the two check-box lists, the option panel and the output box held in memory.
/// Rows are 1-based like the window's; reads of rows that do not exist give "" and false. Feedback
/// goes nowhere: a front end derives from this class to show it. Cancel may be requested from any
/// thread while a run reads the other values on its own.
class PlainControls : public Controls {
 public:
  struct Row {
    std::string text;
    bool checked = false;
    bool operator==(const Row&) const = default;
  };

  /// Copies everything a run reads from `source`: input entry, rows with their ticks and the
  /// selected workbook row, options and output box.
  void TakeValuesFrom(const Controls& source);

  std::string SelectedInputEntry() const override { return selected_input_entry_; }
  void SetSelectedInputEntry(const std::string& entry) { selected_input_entry_ = entry; }

  // Workbook list. The first row added to an empty list becomes the selected one.
  int WorkbookRowCount() const override { return static_cast<int>(workbook_rows_.size()); }
  std::string WorkbookRowText(int row) const override;
  bool WorkbookRowChecked(int row) const override;
  int SelectedWorkbookRow() const override { return selected_workbook_row_; }
  void ClearWorkbookRows() override;
  void AddWorkbookRow(const std::string& text, bool checked) override;
  /// Ticks or unticks row `row`; ignored when no such row exists.
  void SetWorkbookRowChecked(int row, bool checked);

  // Worksheet list.
  int WorksheetRowCount() const override { return static_cast<int>(worksheet_rows_.size()); }
  std::string WorksheetRowText(int row) const override;
  bool WorksheetRowChecked(int row) const override;
  void ClearWorksheetRows() override { worksheet_rows_.clear(); }
  void AddWorksheetRow(const std::string& text, bool checked) override;

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

  // Feedback that goes nowhere.
  void SetStatus(const std::string&) override {}
  void SetProgressMax(double) override {}
  void SetProgressValue(double) override {}
  void SetBusy(bool) override {}
  void ShowMessage(const std::string&, MessageIcon) override {}
  void OpenInShell(const std::string&) override {}

  bool CancelRequested() const override { return cancel_requested_; }
  /// Asks the run to stop after the sheet it is writing; safe from any thread.
  void RequestCancel() { cancel_requested_ = true; }

 protected:
  static const Row* RowAt(const std::vector<Row>& rows, int row);
  static Row* RowAt(std::vector<Row>& rows, int row);

  std::vector<Row> workbook_rows_;
  int selected_workbook_row_ = 0;
  std::vector<Row> worksheet_rows_;

 private:
  std::string selected_input_entry_;
  int format_index_ = -1;
  int naming_mode_ = -1;
  int html_type_index_ = -1;
  int page_title_index_ = -1;
  bool entire_workbook_ = false;
  bool short_extension_ = true;
  std::string output_directory_;
  bool output_directory_typed_ = false;
  std::atomic<bool> cancel_requested_ = false;
};

}  // namespace quorvex::engine
