// The command line's controls: plain values, with messages, status and progress on the terminal.
#include "cli/ConsoleControls.h"

#include <algorithm>
#include <cmath>

namespace quorvex::cli {
namespace {

constexpr int kBarWidth = 30;

}  // namespace

ConsoleControls::ConsoleControls(std::FILE* out, std::FILE* err, bool quiet, bool terminal)
    : out_(out), err_(err), quiet_(quiet), terminal_(terminal) {}

void ConsoleControls::SetStatus(const std::string& text) {
  status_ = text;
  if (quiet_ || text.empty()) {
    if (text.empty()) ClearProgressLine();
    return;
  }
  if (terminal_)
    DrawProgress();
  else
    std::fprintf(err_, "%s\n", text.c_str());
}

void ConsoleControls::SetProgressMax(double max) {
  progress_max_ = max;
  if (terminal_ && !quiet_) DrawProgress();
}

void ConsoleControls::SetProgressValue(double value) {
  progress_value_ = value;
  if (terminal_ && !quiet_) DrawProgress();
}

void ConsoleControls::ShowMessage(const std::string& text, engine::MessageIcon) {
  ++messages_shown_;
  ClearProgressLine();
  std::fprintf(err_, "%s\n", text.c_str());
  std::fflush(err_);
}

void ConsoleControls::ReportProblem(const std::string& text) {
  ShowMessage(text, engine::MessageIcon::kError);
}

void ConsoleControls::ShowWarning(const std::string& text) {
  ClearProgressLine();
  std::fprintf(err_, "%s\n", text.c_str());
  std::fflush(err_);
}

void ConsoleControls::ReportSummary(const engine::RunSummary& summary) {
  if (!summary.started) {
    return;
  }
  ClearProgressLine();
  const bool failed = !summary.failures.empty();
  if (quiet_ && !failed) {
    return;
  }
  std::FILE* stream = failed ? err_ : out_;
  for (const engine::WorkbookFailure& failure : summary.failures) {
    std::fprintf(stream, "Failed: %s\n", engine::FailureText(failure).c_str());
  }
  std::fprintf(stream, "%s. Output folder: %s\n", engine::SummaryLine(summary).c_str(),
               summary.output_root.c_str());
  std::fflush(stream);
}

void ConsoleControls::DrawProgress() {
  const double fraction = progress_max_ > 0 ? std::clamp(progress_value_ / progress_max_, 0.0, 1.0) : 0.0;
  const long filled = std::lround(fraction * kBarWidth);
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.resize(kBarWidth, '-');
  std::fprintf(err_, "\r\033[K[%s] %s", bar.c_str(), status_.c_str());
  std::fflush(err_);
  line_drawn_ = true;
}

void ConsoleControls::ClearProgressLine() {
  if (!line_drawn_) return;
  std::fprintf(err_, "\r\033[K");
  std::fflush(err_);
  line_drawn_ = false;
}

}  // namespace quorvex::cli
