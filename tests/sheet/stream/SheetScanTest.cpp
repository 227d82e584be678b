// One reading for the used range and order, and the replay that hands cells over in row order.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet/stream/SheetScan.h"

namespace quorvex::sheet {
namespace {

/// One sheet of number cells, streamed in the given order; counts its readings.
class ListReader : public WorkbookReader {
 public:
  explicit ListReader(std::vector<std::pair<std::uint32_t, std::uint32_t>> places)
      : places_(std::move(places)) {
    workbook_.sheets.push_back({"S", SheetKind::kWorksheet, "s"});
  }
  const Workbook& workbook() const override { return workbook_; }
  void ReadSheet(std::size_t, SheetSink& sink) override {
    ++reads;
    sink.OnDimension({0, 0, 0, 0});
    int serial = 0;
    for (const auto& [row, column] : places_) {
      if (sink.OnCell({row, column, CellValue::Number(++serial), 0, {}}) == SinkControl::kStop) return;
    }
  }
  int reads = 0;

 private:
  Workbook workbook_;
  std::vector<std::pair<std::uint32_t, std::uint32_t>> places_;
};

/// "row,column=serial" of every cell, stopping after `limit` cells.
class Log : public SheetSink {
 public:
  explicit Log(std::size_t limit = 1000) : limit_(limit) {}
  SinkControl OnCell(const Cell& cell) override {
    lines.push_back(std::to_string(cell.row) + "," + std::to_string(cell.column) + "=" +
                    std::to_string(static_cast<int>(cell.value.number)) +
                    (cell.prepared ? "/" + std::string(*cell.prepared) : ""));
    return lines.size() >= limit_ ? SinkControl::kStop : SinkControl::kContinue;
  }
  std::vector<std::string> lines;

 private:
  std::size_t limit_;
};

TEST(SheetScan, ReplaysCellsInRowOrderWithTheLaterRecordOfAPlace) {
  // In order up to the fourth cell; then an earlier row, and a place of the ordered start again.
  ListReader reader({{0, 0}, {0, 2}, {1, 1}, {3, 0}, {2, 5}, {0, 2}, {1, 0}});
  SheetScan scan;
  reader.ReadSheet(0, scan);
  EXPECT_FALSE(scan.in_order());
  EXPECT_EQ(scan.used_range(), (CellRange{0, 0, 3, 5}));
  EXPECT_EQ(scan.declared(), (CellRange{0, 0, 0, 0}));
  Log log;
  scan.Replay(reader, 0, log);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"0,0=1", "0,2=6", "1,0=7", "1,1=3", "2,5=5", "3,0=4"}));
  // The cells in order came from a second reading, stopped once past them.
  EXPECT_EQ(reader.reads, 2);
}

TEST(SheetScan, KeepingAllCellsReplaysWithoutReadingAgainWithWhatWasPrepared) {
  // In order, and out of order with a place twice; small runs so that some cells are spilled.
  const std::vector<std::vector<std::pair<std::uint32_t, std::uint32_t>>> sheets = {
      {{0, 0}, {0, 2}, {1, 1}, {3, 0}},
      {{0, 0}, {0, 2}, {1, 1}, {3, 0}, {2, 5}, {0, 2}, {1, 0}},
  };
  const std::vector<std::vector<std::string>> expected = {
      {"0,0=1/p1", "0,2=2/p2", "1,1=3/p3", "3,0=4/p4"},
      {"0,0=1/p1", "0,2=6/p6", "1,0=7/p7", "1,1=3/p3", "2,5=5/p5", "3,0=4/p4"},
  };
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    ListReader reader(sheets[i]);
    SheetScan scan(nullptr, CellKeeping::kAll, 64);
    scan.SetPreparer([](const Cell& cell, std::string& prepared) {
      prepared.append("p" + std::to_string(static_cast<int>(cell.value.number)));
    });
    reader.ReadSheet(0, scan);
    for (int round = 0; round < 2; ++round) {
      Log log;
      scan.Replay(reader, 0, log);
      EXPECT_EQ(log.lines, expected[i]) << i;
    }
    scan.Settle();
    Log log(2);
    scan.Replay(log);
    EXPECT_EQ(log.lines, (std::vector<std::string>(expected[i].begin(), expected[i].begin() + 2))) << i;
    EXPECT_EQ(reader.reads, 1) << i;
  }
}

TEST(SheetScan, ReplayStopsWhenTheSinkSaysSo) {
  ListReader reader({{2, 0}, {1, 0}, {0, 0}});
  SheetScan scan;
  reader.ReadSheet(0, scan);
  Log log(2);
  scan.Replay(reader, 0, log);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"0,0=3", "1,0=2"}));
}

TEST(SheetScan, EarlySinkStopsAloneAndCellsInOrderAreReadAgain) {
  ListReader reader({{0, 0}, {0, 1}, {1, 0}});
  Log early(1);
  SheetScan scan(&early);
  reader.ReadSheet(0, scan);
  EXPECT_FALSE(scan.early_complete());
  EXPECT_TRUE(scan.in_order());
  EXPECT_EQ(scan.cell_count(), 3u);
  Log log;
  scan.Replay(reader, 0, log);
  EXPECT_EQ(log.lines, (std::vector<std::string>{"0,0=1", "0,1=2", "1,0=3"}));
}

}  // namespace
}  // namespace quorvex::sheet
