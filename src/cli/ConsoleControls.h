// The command line's controls: plain values, with messages, status and progress on the terminal.
#pragma once

#include <cstdio>
#include <string>

#include "engine/PlainControls.h"
#include "engine/RunSummary.h"

namespace quorvex::cli {

class ConsoleControls : public engine::PlainControls {
 public:
  /// `quiet`: print nothing but problems. `terminal`: draw a progress bar that redraws in place.
  ConsoleControls(std::FILE* out, std::FILE* err, bool quiet, bool terminal);

  void SetStatus(const std::string& text) override;
  void SetProgressMax(double max) override;
  void SetProgressValue(double value) override;
  void ShowMessage(const std::string& text, engine::MessageIcon icon) override;

  /// True once any message was shown: every message of a run reports a problem.
  bool AnyMessageShown() const { return messages_shown_ > 0; }
  /// Prints a problem found by the command line itself, counted like a shown message.
  void ReportProblem(const std::string& text);
  /// Prints a warning (damage worked around); it does not change the exit status.
  void ReportWarning(const std::string& text);
  /// Prints the end of the runs: each failure with its cause, then the summary line naming the
  /// output folder as the last line. Failures go to the error stream even when quiet; a summary
  /// without failures goes to the output stream unless quiet. Nothing when no run started.
  void ReportSummary(const engine::RunSummary& summary);

 private:
  void DrawProgress();
  void ClearProgressLine();

  std::FILE* out_;
  std::FILE* err_;
  bool quiet_;
  bool terminal_;
  bool line_drawn_ = false;
  int messages_shown_ = 0;
  std::string status_;
  double progress_max_ = 0;
  double progress_value_ = 0;
};

}  // namespace quorvex::cli
