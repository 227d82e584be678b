// The conversion run behind the "Convert" button (Command6) and the Actions menu's "Convert".
#include "engine/ConversionRun.h"

#include <algorithm>
#include <mutex>
#include <thread>
#include <vector>

#include "engine/CaptureSheetSelection.h"
#include "engine/CheckOutputFolder.h"
#include "engine/PlainControls.h"
#include "engine/WorkbookPipeline.h"

namespace quorvex::engine {

namespace {

// The run's random source, drawn from by the workbooks converted at the same time.
class LockedRandomSource : public RandomSource {
 public:
  explicit LockedRandomSource(RandomSource& source) : source_(source) {}
  double Draw() override {
    const std::lock_guard lock(mutex_);
    return source_.Draw();
  }

 private:
  RandomSource& source_;
  std::mutex mutex_;
};

RunSummary ConvertTickedRows(EngineContext& context, const ExporterTable& exporters, int jobs) {
  Controls& controls = context.controls;
  EngineState& state = context.state;
  const int rows = controls.WorkbookRowCount();
  controls.SetProgressMax(rows);
  if (!CheckOutputFolder(state, controls)) {
    return {};
  }
  CaptureSheetSelection(state, controls);
  controls.SetBusy(true);

  // The workbooks read a snapshot, so that no worker thread reads the front end's controls.
  PlainControls values;
  values.TakeValuesFrom(controls);
  std::vector<int> ticked;
  for (int row = 1; row <= rows; ++row) {
    if (values.WorkbookRowChecked(row)) {
      ticked.push_back(row);
    }
  }
  LockedRandomSource random(context.random);
  EngineContext run{state, controls, context.application_factory, random};

  RunSummary summary;
  summary.started = true;
  summary.output_root = state.OutputRoot();
  {
    WorkbookPipeline pipeline(run, exporters, values,
                              std::clamp(jobs, 1, std::max(1, static_cast<int>(ticked.size()))));
    pipeline.Run(ticked, summary);
    // The state is left as converting the workbooks one after another leaves it.
    state.SetSequenceCounter(pipeline.SequenceCounter());
    if (const WorkbookJob* last = pipeline.LastJob()) {
      state.SetWorkbookOutputPath(last->state.WorkbookOutputPath());
      state.tally() = last->state.tally();
    }
  }
  controls.OpenInShell(state.OutputRoot());
  return summary;
}

}  // namespace

int DefaultJobCount() {
  const unsigned cores = std::thread::hardware_concurrency();
  return cores == 0 ? 1 : static_cast<int>(cores);
}

RunSummary RunConversion(EngineContext& context, const ExporterTable& exporters, int jobs) {
  Controls& controls = context.controls;
  RunSummary summary;
  if (controls.WorkbookRowCount() < 1) {
    controls.ShowMessage("Please select excel at fast!", MessageIcon::kInformation);
  } else {
    summary = ConvertTickedRows(context, exporters, jobs);
  }
  controls.SetStatus("");
  controls.SetProgressValue(0);
  controls.SetBusy(false);
  return summary;
}

}  // namespace quorvex::engine
