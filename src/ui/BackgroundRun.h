// One conversion run of the window on a worker thread.
#pragma once

#include <QObject>
#include <functional>
#include <string>
#include <thread>

#include "automation/ApplicationFactory.h"
#include "engine/ClockRandomSource.h"
#include "engine/EngineContext.h"
#include "engine/EngineState.h"
#include "engine/ExporterTable.h"
#include "engine/RunSummary.h"
#include "ui/RunControls.h"

namespace quorvex::ui {

/// Starts at construction: takes a snapshot of the window's controls and a copy of its state, and
/// runs the conversion on its own thread, so that the window stays responsive and its input
/// cannot change the run. When the run ends, `finished` is called on the window's thread with the
/// summary and, if the run failed unexpectedly, the error's description; the window then takes
/// the state back and destroys this object. The run converts `jobs` workbooks at once.
class BackgroundRun {
 public:
  using Finished = std::function<void(const engine::RunSummary& summary, const std::string& error)>;

  BackgroundRun(QObject& window, engine::Controls& display, const engine::EngineState& state,
                automation::ApplicationFactory factory, const engine::ExporterTable& exporters, int jobs,
                Finished finished);
  /// Cancels the run, releases it from any message it waits on and waits for its thread.
  ~BackgroundRun();
  BackgroundRun(const BackgroundRun&) = delete;
  BackgroundRun& operator=(const BackgroundRun&) = delete;

  /// Asks the run to stop after the sheet it is writing.
  void RequestCancel() { controls_.RequestCancel(); }
  /// The state as the run left it; read it only once `finished` was called.
  const engine::EngineState& state() const { return state_; }

 private:
  void Run(QObject& window, const Finished& finished);

  engine::EngineState state_;
  RunControls controls_;
  engine::ClockRandomSource random_;
  engine::EngineContext context_;
  const engine::ExporterTable& exporters_;
  int jobs_;
  std::thread thread_;
};

}  // namespace quorvex::ui
