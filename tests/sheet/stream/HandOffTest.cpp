// Sheet events handed to a sink on a second thread: same events, same order, stops and errors kept.
#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <vector>

#include "../support/EventLog.h"
#include "sheet/model/SheetError.h"
#include "sheet/stream/HandOffReader.h"
#include "sheet/stream/HandOffSink.h"

namespace quorvex::sheet {
namespace {

using test_support::EventLog;

/// Logs formulas too, and answers kStop (or throws) at the cell numbered `limit`.
class Target : public EventLog {
 public:
  explicit Target(std::size_t limit = SIZE_MAX, bool throws = false) : limit_(limit), throws_(throws) {}
  SinkControl OnCell(const Cell& cell) override {
    if (cells.size() == limit_) {
      if (throws_) throw std::runtime_error("disk full");
      return SinkControl::kStop;
    }
    formulas.emplace_back(cell.formula);
    return EventLog::OnCell(cell);
  }
  std::vector<std::string> formulas;

 private:
  std::size_t limit_;
  bool throws_;
};

/// Every kind of event, with texts long and short; returns the first kStop's cell number.
std::size_t Feed(SheetSink& sink, std::size_t cells) {
  sink.OnDimension({0, 0, 9, 3});
  sink.OnSheetDefaults({8.5, 15, false, true, false, false});
  sink.OnColumnInfo({1, 2, 12.25, true, 4, true, false});
  const std::string long_text(10000, 'x');
  std::size_t stopped_at = SIZE_MAX;
  for (std::size_t i = 0; i < cells; ++i) {
    const auto row = static_cast<std::uint32_t>(i / 4);
    if (i % 4 == 0) sink.OnRowInfo({row, 20, i % 8 == 0, true, 1, false, false, false, 7u, true});
    const std::string text = i % 97 == 0 ? long_text : "cell " + std::to_string(i);
    const CellValue value = i % 3 == 0 ? CellValue::Number(i * 0.5) : CellValue::String(text);
    const std::string formula = i % 5 == 0 ? "A" + std::to_string(i) + "*2" : "";
    const Cell cell{row, static_cast<std::uint32_t>(i % 4), value, static_cast<std::uint32_t>(i % 6),
                    formula};
    if (sink.OnCell(cell) == SinkControl::kStop && stopped_at == SIZE_MAX) stopped_at = i;
  }
  sink.OnMergedRange({0, 0, 1, 1});
  sink.OnComment(3, 2);
  return stopped_at;
}

TEST(HandOffSinkTest, TargetSeesEveryEventInOrderWhateverTheBatchSize) {
  Target direct;
  Feed(direct, 500);
  for (const std::size_t batch_bytes : {std::size_t{1}, std::size_t{64}, HandOffSink::kDefaultBatchBytes}) {
    Target target;
    HandOffSink hand_off(target, batch_bytes, 2);
    EXPECT_EQ(Feed(hand_off, 500), SIZE_MAX);
    hand_off.Finish();
    EXPECT_EQ(target.events, direct.events) << batch_bytes;
    EXPECT_EQ(target.formulas, direct.formulas) << batch_bytes;
  }
}

TEST(HandOffSinkTest, StopAndErrorOfTheTargetReachTheReader) {
  for (const bool throws : {false, true}) {
    Target target(100, throws);
    HandOffSink hand_off(target, 64, 2);
    // The reader learns of the stop a few batches late, but it does learn of it.
    EXPECT_LT(Feed(hand_off, 20000), std::size_t{20000});
    if (throws) {
      EXPECT_THROW(hand_off.Finish(), std::runtime_error);
    } else {
      hand_off.Finish();
    }
    EXPECT_EQ(target.cells.size(), 100u);  // nothing after the stop
  }
}

/// Streams 50 cells, warns, then finds the file damaged.
class FailingReader : public WorkbookReader {
 public:
  FailingReader() { workbook_.sheets.push_back({"S", SheetKind::kWorksheet, "s"}); }
  const Workbook& workbook() const override { return workbook_; }
  void ReadSheet(std::size_t, SheetSink& sink) override {
    Feed(sink, 50);
    Warn("a row was repaired");
    throw SheetError(SheetErrorCode::kCorrupt, "the sheet is cut short", "s");
  }

 private:
  Workbook workbook_;
};

TEST(HandOffReaderTest, ReaderErrorComesAfterEveryEventBeforeIt) {
  Target direct;
  Feed(direct, 50);
  HandOffReader reader(std::make_unique<FailingReader>());
  std::vector<std::string> warnings;
  reader.SetWarningHandler([&](const std::string& sentence) { warnings.push_back(sentence); });
  Target target;
  EXPECT_THROW(reader.ReadSheet(0, target), SheetError);
  EXPECT_EQ(target.events, direct.events);
  EXPECT_EQ(warnings, std::vector<std::string>{"a row was repaired"});
  EXPECT_EQ(reader.workbook().sheets.size(), 1u);
}

}  // namespace
}  // namespace quorvex::sheet
