// What the engine and the catalogue read from and show on "the controls": the window implements
// it with real widgets, the command line and a window's run with PlainControls.
#pragma once

#include <string>

namespace quorvex::engine {

enum class MessageIcon { kNone, kInformation, kError };

class Controls {
 public:
  virtual ~Controls() = default;

  // Input list (ListView1): the selected entry's text, or "" when the list is empty.
  virtual std::string SelectedInputEntry() const = 0;

  // Workbook list (ListView2); rows are 1-based.
  virtual int WorkbookRowCount() const = 0;
  virtual std::string WorkbookRowText(int row) const = 0;
  virtual bool WorkbookRowChecked(int row) const = 0;
  virtual int SelectedWorkbookRow() const = 0;  // 0 when the list is empty
  virtual void ClearWorkbookRows() = 0;
  virtual void AddWorkbookRow(const std::string& text, bool checked) = 0;
  virtual void RepaintWorkbookRows() {}

  // Worksheet list (ListView3); rows are 1-based.
  virtual int WorksheetRowCount() const = 0;
  virtual std::string WorksheetRowText(int row) const = 0;
  virtual bool WorksheetRowChecked(int row) const = 0;
  virtual void ClearWorksheetRows() = 0;
  virtual void AddWorksheetRow(const std::string& text, bool checked) = 0;
  virtual void RepaintWorksheetRows() {}

  // Option panel: ListIndex of each list (-1 when nothing is selected) and the option buttons.
  virtual int FormatIndex() const = 0;      // Combo3
  virtual int NamingMode() const = 0;       // Combo1
  virtual int HtmlTypeIndex() const = 0;    // Combo2
  virtual int PageTitleIndex() const = 0;   // Combo4
  virtual bool EntireWorkbook() const = 0;  // Option1
  virtual bool ShortExtension() const = 0;  // Option3

  // Output directory box (Combo5): its text, and whether it was typed rather than picked.
  virtual std::string OutputDirectoryText() const = 0;
  virtual bool OutputDirectoryTyped() const = 0;

  // Run feedback.
  virtual void SetStatus(const std::string& text) = 0;  // Label1
  virtual void SetProgressMax(double max) = 0;          // ProgressBar1.Max
  virtual void SetProgressValue(double value) = 0;      // ProgressBar1.Value
  virtual void SetBusy(bool busy) = 0;                  // hourglass pointer
  virtual void ShowMessage(const std::string& text, MessageIcon icon) = 0;
  virtual void OpenInShell(const std::string& path) = 0;  // the desktop's "open"

  /// Whether the user asked the run to stop (the Cancel button); a run checks it after each
  /// sheet and before each workbook. May be read from a worker thread.
  virtual bool CancelRequested() const { return false; }
};

}  // namespace quorvex::engine
