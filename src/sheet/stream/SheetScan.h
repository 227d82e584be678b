// One reading of a sheet that finds its used range and cell order, for writers that need both.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <utility>

#include "sheet/model/WorkbookReader.h"
#include "sheet/stream/CellSorter.h"
#include "sheet/stream/UsedRangeBuilder.h"

namespace quorvex::sheet {

/// Which cells a SheetScan keeps for Replay.
enum class CellKeeping {
  kNone,        // none: Replay is not available
  kOutOfOrder,  // those from the first one out of order on; Replay reads the sheet again
  kAll,         // all of them: Replay needs no second reading
};

/// A sink for one whole reading of a sheet. It builds the used range, notes whether the cells
/// came in row order (each place once), and keeps the cells from the first one out of order on
/// in a CellSorter, so that Replay can hand every cell over in row order later.
///
/// An optional `early` sink gets every event as it arrives, until it answers kStop: a writer
/// can write on the guess that the file is in order and as large as it declares, and the caller
/// checks the guess against used_range() and in_order() afterwards. Stopping the early sink
/// never stops the reading.
class SheetScan : public SheetSink {
 public:
  explicit SheetScan(SheetSink* early = nullptr, CellKeeping keeping = CellKeeping::kOutOfOrder,
                     std::size_t run_bytes = CellSorter::kDefaultRunBytes);

  /// Work a writer would do for each cell at replay, done instead as the cell is kept: `prepare`
  /// appends to its second argument what it makes of the cell, which Replay hands back as
  /// Cell::prepared. With a HandOffReader this runs beside the parsing, not after it. Cells the
  /// replay reads from the file again (CellKeeping::kOutOfOrder) come without it.
  using Preparer = std::function<void(const Cell& cell, std::string& prepared)>;
  void SetPreparer(Preparer prepare) { prepare_ = std::move(prepare); }

  void OnDimension(const CellRange& declared) override;
  void OnSheetDefaults(const SheetDefaults& defaults) override;
  void OnColumnInfo(const ColumnInfo& columns) override;
  void OnRowInfo(const RowInfo& row) override;
  SinkControl OnCell(const Cell& cell) override;
  void OnMergedRange(const CellRange& range) override;
  void OnComment(std::uint32_t row, std::uint32_t column) override;

  /// The used range of what has been read so far; nullopt when nothing qualifies.
  std::optional<CellRange> used_range() const { return used_.Result(); }
  /// Whether every cell so far came after the one before it, each place once.
  bool in_order() const { return in_order_; }
  /// The range the file declared, when it declared one.
  const std::optional<CellRange>& declared() const { return declared_; }
  /// Whether the early sink saw every event (it never answered kStop).
  bool early_complete() const { return early_ != nullptr; }
  std::size_t cell_count() const { return cells_; }

  /// Reads the sheet again and gives `sink` every cell in row order, each place once (the last
  /// record of a place wins); no other events. Stops when the sink answers kStop.
  void Replay(WorkbookReader& reader, std::size_t position, SheetSink& sink);
  /// The same from the cells kept, without reading the sheet again; needs CellKeeping::kAll.
  void Replay(SheetSink& sink);
  /// Moves the kept cells out of memory into their temporary file, for a scan kept while
  /// other sheets are read. Throws SheetError (kIo).
  void Settle();

 private:
  void Keep(const Cell& cell);
  template <typename Event>
  void Forward(Event&& event) {
    if (early_ != nullptr) event(*early_);
  }

  SheetSink* early_;
  CellKeeping keeping_;
  std::size_t run_bytes_;
  UsedRangeBuilder used_;
  std::optional<CellRange> declared_;
  std::size_t cells_ = 0;
  std::size_t ordered_prefix_ = 0;  // cells in row order before the first one out of order
  bool any_cell_ = false;
  bool in_order_ = true;
  std::uint32_t last_row_ = 0;
  std::uint32_t last_column_ = 0;
  std::unique_ptr<CellSorter> sorter_;  // set from the first cell out of order on
  Preparer prepare_;
  std::string prepared_;  // the preparer's output for the cell being kept
};

}  // namespace quorvex::sheet
