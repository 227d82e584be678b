// The controls a window's run reads on its worker thread: a snapshot, with feedback sent to the window.
#include "ui/RunControls.h"

#include <QMetaObject>
#include <utility>

namespace quorvex::ui {

RunControls::RunControls(QObject& window, engine::Controls& display) : window_(window), display_(display) {}

template <typename Work>
void RunControls::Post(Work work) {
  // Queued calls to one receiver run in the order they were posted.
  QMetaObject::invokeMethod(&window_, std::move(work), Qt::QueuedConnection);
}

void RunControls::SetStatus(const std::string& text) {
  Post([&display = display_, text] { display.SetStatus(text); });
}

void RunControls::SetProgressMax(double max) {
  Post([&display = display_, max] { display.SetProgressMax(max); });
}

void RunControls::SetProgressValue(double value) {
  Post([&display = display_, value] { display.SetProgressValue(value); });
}

void RunControls::OpenInShell(const std::string& path) {
  Post([&display = display_, path] { display.OpenInShell(path); });
}

void RunControls::ShowMessage(const std::string& text, engine::MessageIcon icon) {
  std::unique_lock lock(mutex_);
  if (abandoned_) {
    return;
  }
  const std::uint64_t ticket = ++messages_asked_;
  lock.unlock();
  Post([this, text, icon, ticket] {
    display_.ShowMessage(text, icon);
    const std::lock_guard guard(mutex_);
    messages_answered_ = ticket;
    answered_.notify_all();
  });
  lock.lock();
  answered_.wait(lock, [&] { return abandoned_ || messages_answered_ >= ticket; });
}

void RunControls::Abandon() {
  const std::lock_guard guard(mutex_);
  abandoned_ = true;
  answered_.notify_all();
}

}  // namespace quorvex::ui
