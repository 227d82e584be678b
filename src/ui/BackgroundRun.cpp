// One conversion run of the window on a worker thread.
#include "ui/BackgroundRun.h"

#include <QMetaObject>
#include <exception>
#include <utility>

#include "engine/ConversionRun.h"

namespace quorvex::ui {

BackgroundRun::BackgroundRun(QObject& window, engine::Controls& display, const engine::EngineState& state,
                             automation::ApplicationFactory factory, const engine::ExporterTable& exporters,
                             int jobs, Finished finished)
    : state_(state),
      controls_(window, display),
      context_{state_, controls_, std::move(factory), random_},
      exporters_(exporters),
      jobs_(jobs) {
  controls_.TakeValuesFrom(display);
  thread_ = std::thread([this, &window, finished = std::move(finished)] { Run(window, finished); });
}

BackgroundRun::~BackgroundRun() {
  controls_.RequestCancel();
  controls_.Abandon();
  if (thread_.joinable()) {
    thread_.join();
  }
}

void BackgroundRun::Run(QObject& window, const Finished& finished) {
  engine::RunSummary summary;
  std::string error;
  try {
    summary = engine::RunConversion(context_, exporters_, jobs_);
  } catch (const std::exception& caught) {
    error = caught.what();
  } catch (...) {
    error = "An unknown error occurred";
  }
  QMetaObject::invokeMethod(
      &window,
      [finished, summary = std::move(summary), error = std::move(error)] { finished(summary, error); },
      Qt::QueuedConnection);
}

}  // namespace quorvex::ui
