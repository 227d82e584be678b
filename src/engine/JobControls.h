// The controls one workbook of a parallel run works with: shared values in, feedback kept in order.
#pragma once

#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <vector>

#include "engine/Controls.h"

namespace quorvex::engine {

/// One thing a workbook's conversion showed: a status, a progress value or maximum, a message or
/// a warning, in the order it was shown.
struct Feedback {
  enum class Kind { kStatus, kProgressMax, kProgressValue, kMessage, kWarning };
  Kind kind = Kind::kStatus;
  std::string text;
  double value = 0;
  MessageIcon icon = MessageIcon::kNone;
};

/// What the threads of one run share to hand feedback over: every change bumps `generation`
/// under `mutex` and wakes the thread waiting on `changed`.
struct RunSignal {
  std::mutex mutex;
  std::condition_variable changed;
  std::uint64_t generation = 0;

  /// Bumps the generation and wakes the waiting thread; call with `mutex` held.
  void NotifyLocked() {
    ++generation;
    changed.notify_all();
  }
};

/// Reads every value from `values` (a snapshot nobody changes during the run) and keeps all
/// feedback until the run passes it on, so that workbooks converted at the same time show their
/// messages and progress in input order. Never changes the lists: a conversion does not. A cancel
/// request of `cancel_source`, of the whole run (`run_aborted`) or of this workbook alone (Abort)
/// stops the workbook after its current sheet.
class JobControls : public Controls {
 public:
  JobControls(const Controls& values, const Controls& cancel_source, const std::atomic<bool>& run_aborted,
              RunSignal& signal);

  std::string SelectedInputEntry() const override { return values_.SelectedInputEntry(); }
  int WorkbookRowCount() const override { return values_.WorkbookRowCount(); }
  std::string WorkbookRowText(int row) const override { return values_.WorkbookRowText(row); }
  bool WorkbookRowChecked(int row) const override { return values_.WorkbookRowChecked(row); }
  int SelectedWorkbookRow() const override { return values_.SelectedWorkbookRow(); }
  void ClearWorkbookRows() override {}
  void AddWorkbookRow(const std::string&, bool) override {}
  int WorksheetRowCount() const override { return values_.WorksheetRowCount(); }
  std::string WorksheetRowText(int row) const override { return values_.WorksheetRowText(row); }
  bool WorksheetRowChecked(int row) const override { return values_.WorksheetRowChecked(row); }
  void ClearWorksheetRows() override {}
  void AddWorksheetRow(const std::string&, bool) override {}
  int FormatIndex() const override { return values_.FormatIndex(); }
  int NamingMode() const override { return values_.NamingMode(); }
  int HtmlTypeIndex() const override { return values_.HtmlTypeIndex(); }
  int PageTitleIndex() const override { return values_.PageTitleIndex(); }
  bool EntireWorkbook() const override { return values_.EntireWorkbook(); }
  bool ShortExtension() const override { return values_.ShortExtension(); }
  std::string OutputDirectoryText() const override { return values_.OutputDirectoryText(); }
  bool OutputDirectoryTyped() const override { return values_.OutputDirectoryTyped(); }

  void SetStatus(const std::string& text) override;
  void SetProgressMax(double max) override;
  void SetProgressValue(double value) override;
  void SetBusy(bool) override {}
  void ShowMessage(const std::string& text, MessageIcon icon) override;
  void ShowWarning(const std::string& text) override;
  void OpenInShell(const std::string&) override {}
  bool CancelRequested() const override;

  /// Asks this workbook alone to stop after its current sheet.
  void Abort() { aborted_ = true; }
  /// Takes back an Abort, for a fresh start of the workbook.
  void ClearAbort() { aborted_ = false; }
  /// The number of feedback items kept and not yet taken; call with the signal's mutex held.
  std::size_t KeptLocked() const { return kept_.size(); }
  /// Drops the kept feedback after the first `count` items; call with the signal's mutex held.
  void DropAfterLocked(std::size_t count);
  /// Hands over the feedback kept since the last call; call with the signal's mutex held.
  std::vector<Feedback> TakeLocked();

 private:
  void Keep(Feedback feedback);

  const Controls& values_;
  const Controls& cancel_source_;
  const std::atomic<bool>& run_aborted_;
  RunSignal& signal_;
  std::atomic<bool> aborted_ = false;
  std::vector<Feedback> kept_;
};

/// Shows `feedback` on `target` in order.
void ShowFeedback(const std::vector<Feedback>& feedback, Controls& target);

}  // namespace quorvex::engine
