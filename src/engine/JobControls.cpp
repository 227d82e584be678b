// The controls one workbook of a parallel run works with: shared values in, feedback kept in order.
#include "engine/JobControls.h"

#include <utility>

namespace quorvex::engine {

JobControls::JobControls(const Controls& values, const Controls& cancel_source,
                         const std::atomic<bool>& run_aborted, RunSignal& signal)
    : values_(values), cancel_source_(cancel_source), run_aborted_(run_aborted), signal_(signal) {}

void JobControls::SetStatus(const std::string& text) {
  Keep({Feedback::Kind::kStatus, text, 0, MessageIcon::kNone});
}

void JobControls::SetProgressMax(double max) {
  Keep({Feedback::Kind::kProgressMax, {}, max, MessageIcon::kNone});
}

void JobControls::SetProgressValue(double value) {
  Keep({Feedback::Kind::kProgressValue, {}, value, MessageIcon::kNone});
}

void JobControls::ShowMessage(const std::string& text, MessageIcon icon) {
  Keep({Feedback::Kind::kMessage, text, 0, icon});
}

void JobControls::ShowWarning(const std::string& text) {
  Keep({Feedback::Kind::kWarning, text, 0, MessageIcon::kNone});
}

bool JobControls::CancelRequested() const {
  return aborted_ || run_aborted_ || cancel_source_.CancelRequested();
}

void JobControls::DropAfterLocked(std::size_t count) {
  if (count < kept_.size()) {
    kept_.resize(count);
  }
}

std::vector<Feedback> JobControls::TakeLocked() {
  return std::exchange(kept_, {});
}

void JobControls::Keep(Feedback feedback) {
  const std::lock_guard lock(signal_.mutex);
  kept_.push_back(std::move(feedback));
  signal_.NotifyLocked();
}

void ShowFeedback(const std::vector<Feedback>& feedback, Controls& target) {
  for (const Feedback& item : feedback) {
    switch (item.kind) {
      case Feedback::Kind::kStatus:
        target.SetStatus(item.text);
        break;
      case Feedback::Kind::kProgressMax:
        target.SetProgressMax(item.value);
        break;
      case Feedback::Kind::kProgressValue:
        target.SetProgressValue(item.value);
        break;
      case Feedback::Kind::kMessage:
        target.ShowMessage(item.text, item.icon);
        break;
      case Feedback::Kind::kWarning:
        target.ShowWarning(item.text);
        break;
    }
  }
}

}  // namespace quorvex::engine
