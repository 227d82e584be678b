// A sheet read once for its used range and order, and replayed in row order.
#include "sheet/stream/SheetScan.h"

#include <stdexcept>

namespace quorvex::sheet {
namespace {

bool Before(const Cell& a, const Cell& b) {
  return a.row != b.row ? a.row < b.row : a.column < b.column;
}

/// Passes on the cells only.
class CellsOnly : public SheetSink {
 public:
  explicit CellsOnly(SheetSink& sink) : sink_(sink) {}
  SinkControl OnCell(const Cell& cell) override { return sink_.OnCell(cell); }

 private:
  SheetSink& sink_;
};

/// Merges the cells that came in order at the start of the sheet with the cells kept aside,
/// which came later in the file and so win at a place both hold. Stops the reading after the
/// cells that came in order.
class PrefixMerge : public SheetSink {
 public:
  PrefixMerge(SheetSink& sink, CellSorter::Reader& kept, std::size_t prefix)
      : sink_(sink), kept_(kept), next_kept_(kept.Next()), left_(prefix) {}

  SinkControl OnCell(const Cell& cell) override {
    while (next_kept_ != nullptr && Before(*next_kept_, cell)) {
      if (Emit(*next_kept_) == SinkControl::kStop) return SinkControl::kStop;
    }
    const bool replaced =
        next_kept_ != nullptr && next_kept_->row == cell.row && next_kept_->column == cell.column;
    if (!replaced && Emit(cell, false) == SinkControl::kStop) return SinkControl::kStop;
    return --left_ == 0 ? SinkControl::kStop : SinkControl::kContinue;
  }

  /// Hands over the kept cells still waiting.
  void Drain() {
    while (!stopped_ && next_kept_ != nullptr) Emit(*next_kept_);
  }

 private:
  SinkControl Emit(const Cell& cell, bool kept = true) {
    if (sink_.OnCell(cell) == SinkControl::kStop) {
      stopped_ = true;
      return SinkControl::kStop;
    }
    if (kept) next_kept_ = kept_.Next();
    return SinkControl::kContinue;
  }

  SheetSink& sink_;
  CellSorter::Reader& kept_;
  const Cell* next_kept_;
  std::size_t left_;
  bool stopped_ = false;
};

}  // namespace

SheetScan::SheetScan(SheetSink* early, CellKeeping keeping, std::size_t run_bytes)
    : early_(early), keeping_(keeping), run_bytes_(run_bytes) {
  if (keeping_ == CellKeeping::kAll) sorter_ = std::make_unique<CellSorter>(run_bytes_);
}

void SheetScan::OnDimension(const CellRange& declared) {
  if (!declared_) declared_ = declared;
  Forward([&](SheetSink& sink) { sink.OnDimension(declared); });
}

void SheetScan::OnSheetDefaults(const SheetDefaults& defaults) {
  used_.AddDefaults(defaults);
  Forward([&](SheetSink& sink) { sink.OnSheetDefaults(defaults); });
}

void SheetScan::OnColumnInfo(const ColumnInfo& columns) {
  used_.AddColumns(columns);
  Forward([&](SheetSink& sink) { sink.OnColumnInfo(columns); });
}

void SheetScan::OnRowInfo(const RowInfo& row) {
  used_.AddRow(row);
  Forward([&](SheetSink& sink) { sink.OnRowInfo(row); });
}

SinkControl SheetScan::OnCell(const Cell& cell) {
  used_.AddCell(cell.row, cell.column);
  if (in_order_ && any_cell_ &&
      (cell.row < last_row_ || (cell.row == last_row_ && cell.column <= last_column_))) {
    in_order_ = false;
    ordered_prefix_ = cells_;
    if (keeping_ == CellKeeping::kOutOfOrder) sorter_ = std::make_unique<CellSorter>(run_bytes_);
  }
  any_cell_ = true;
  last_row_ = cell.row;
  last_column_ = cell.column;
  ++cells_;
  if (sorter_) Keep(cell);
  if (early_ != nullptr && early_->OnCell(cell) == SinkControl::kStop) early_ = nullptr;
  return SinkControl::kContinue;
}

void SheetScan::Keep(const Cell& cell) {
  if (!prepare_) {
    sorter_->Add(cell);
    return;
  }
  prepared_.clear();
  prepare_(cell, prepared_);
  Cell kept = cell;
  kept.prepared = prepared_;
  sorter_->Add(kept);
}

void SheetScan::OnMergedRange(const CellRange& range) {
  used_.AddMerge(range);
  Forward([&](SheetSink& sink) { sink.OnMergedRange(range); });
}

void SheetScan::OnComment(std::uint32_t row, std::uint32_t column) {
  used_.AddComment(row, column);
  Forward([&](SheetSink& sink) { sink.OnComment(row, column); });
}

void SheetScan::Replay(WorkbookReader& reader, std::size_t position, SheetSink& sink) {
  if (keeping_ == CellKeeping::kAll) {
    Replay(sink);
    return;
  }
  if (in_order_) {
    CellsOnly cells(sink);
    reader.ReadSheet(position, cells);
    return;
  }
  if (!sorter_) throw std::logic_error("SheetScan::Replay: the cells were not kept");
  CellSorter::Reader kept(*sorter_);
  PrefixMerge merge(sink, kept, ordered_prefix_);
  if (ordered_prefix_ > 0) reader.ReadSheet(position, merge);
  merge.Drain();
}

void SheetScan::Replay(SheetSink& sink) {
  if (keeping_ != CellKeeping::kAll) throw std::logic_error("SheetScan::Replay: the cells were not all kept");
  CellSorter::Reader kept(*sorter_);
  for (const Cell* cell = kept.Next(); cell != nullptr; cell = kept.Next()) {
    if (sink.OnCell(*cell) == SinkControl::kStop) return;
  }
}

void SheetScan::Settle() {
  if (sorter_) sorter_->Settle();
}

}  // namespace quorvex::sheet
