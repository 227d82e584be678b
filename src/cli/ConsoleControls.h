// Headless controls that report on the terminal: messages, the status line and a progress bar.
#pragma once

#include <cstdio>
#include <string>

#include "engine/HeadlessControls.h"

namespace quorvex::cli {

class ConsoleControls : public engine::HeadlessControls {
 public:
  /// `quiet`: print nothing but messages. `terminal`: draw a progress bar that redraws in place.
  ConsoleControls(std::FILE* out, std::FILE* err, bool quiet, bool terminal);

  void SetStatus(const std::string& text) override;
  void SetProgressMax(double max) override;
  void SetProgressValue(double value) override;
  void ShowMessage(const std::string& text, engine::MessageIcon icon) override;
  void OpenInShell(const std::string& path) override;

  /// True once any message was shown: every message of a run reports a problem.
  bool AnyMessageShown() const { return !Messages().empty(); }
  /// Prints a problem found by the command line itself, counted like a shown message.
  void ReportProblem(const std::string& text);
  /// Prints a warning (damage worked around); it does not change the exit status.
  void ReportWarning(const std::string& text);

 private:
  void DrawProgress();
  void ClearProgressLine();

  std::FILE* out_;
  std::FILE* err_;
  bool quiet_;
  bool terminal_;
  bool line_drawn_ = false;
};

}  // namespace quorvex::cli
