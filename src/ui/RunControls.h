// The controls a window's run reads on its worker thread: a snapshot, with feedback sent to the window.
#pragma once

#include <QObject>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>

#include "engine/PlainControls.h"

namespace quorvex::ui {

/// Plain values taken from the window before the run starts, so that the worker never touches a
/// widget. Status, progress and shell requests are queued to the window's thread in order; a
/// message waits until the window has shown it and the user has answered.
class RunControls : public engine::PlainControls {
 public:
  /// `window` is the receiver living on the user-interface thread; `display` (the window) shows
  /// the feedback there. Both must outlive the run.
  RunControls(QObject& window, engine::Controls& display);

  void SetStatus(const std::string& text) override;
  void SetProgressMax(double max) override;
  void SetProgressValue(double value) override;
  void ShowMessage(const std::string& text, engine::MessageIcon icon) override;
  void OpenInShell(const std::string& path) override;

  /// Lets a run waiting for a message go on without an answer, and drops later messages: the
  /// window is going away. Safe from any thread.
  void Abandon();

 private:
  template <typename Work>
  void Post(Work work);

  QObject& window_;
  engine::Controls& display_;
  std::mutex mutex_;
  std::condition_variable answered_;
  std::uint64_t messages_asked_ = 0;
  std::uint64_t messages_answered_ = 0;
  bool abandoned_ = false;
};

}  // namespace quorvex::ui
