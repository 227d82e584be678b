// Terminal feedback for the command line.
#include "cli/ConsoleControls.h"

#include <algorithm>

namespace quorvex::cli {
namespace {

constexpr int kBarWidth = 30;

}  // namespace

ConsoleControls::ConsoleControls(std::FILE* out, std::FILE* err, bool quiet, bool terminal)
    : out_(out), err_(err), quiet_(quiet), terminal_(terminal) {}

void ConsoleControls::SetStatus(const std::string& text) {
  HeadlessControls::SetStatus(text);
  if (quiet_ || text.empty()) {
    if (text.empty()) ClearProgressLine();
    return;
  }
  if (terminal_) DrawProgress();
  else std::fprintf(err_, "%s\n", text.c_str());
}

void ConsoleControls::SetProgressMax(double max) {
  HeadlessControls::SetProgressMax(max);
  if (terminal_ && !quiet_) DrawProgress();
}

void ConsoleControls::SetProgressValue(double value) {
  HeadlessControls::SetProgressValue(value);
  if (terminal_ && !quiet_) DrawProgress();
}

void ConsoleControls::ShowMessage(const std::string& text, engine::MessageIcon icon) {
  HeadlessControls::ShowMessage(text, icon);
  ClearProgressLine();
  std::fprintf(err_, "%s\n", text.c_str());
  std::fflush(err_);
}

void ConsoleControls::ReportProblem(const std::string& text) {
  ShowMessage(text, engine::MessageIcon::kError);
}

void ConsoleControls::ReportWarning(const std::string& text) {
  ClearProgressLine();
  std::fprintf(err_, "%s\n", text.c_str());
  std::fflush(err_);
}

void ConsoleControls::OpenInShell(const std::string& path) {
  HeadlessControls::OpenInShell(path);
  ClearProgressLine();
  if (!quiet_) std::fprintf(out_, "Output folder: %s\n", path.c_str());
}

void ConsoleControls::DrawProgress() {
  const double max = ProgressMax();
  const double fraction = max > 0 ? std::clamp(ProgressValue() / max, 0.0, 1.0) : 0.0;
  const int filled = static_cast<int>(fraction * kBarWidth + 0.5);
  std::string bar(static_cast<std::size_t>(filled), '#');
  bar.resize(kBarWidth, '-');
  std::fprintf(err_, "\r\033[K[%s] %s", bar.c_str(), Status().c_str());
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
