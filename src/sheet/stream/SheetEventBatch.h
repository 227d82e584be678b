// A sheet's events written into bytes and read back, for handing them to another thread.
#pragma once

#include <cstddef>
#include <memory>
#include <utility>

#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet {

/// Events of one sheet reading, in order, as bytes: the strings a cell points to are copied in,
/// so the batch outlives the reader's buffers.
class SheetEventBatch {
 public:
  SheetEventBatch() = default;
  SheetEventBatch(SheetEventBatch&& other) noexcept
      : bytes_(std::move(other.bytes_)),
        size_(std::exchange(other.size_, 0)),
        capacity_(std::exchange(other.capacity_, 0)) {}
  SheetEventBatch& operator=(SheetEventBatch&& other) noexcept {
    bytes_ = std::move(other.bytes_);
    size_ = std::exchange(other.size_, 0);
    capacity_ = std::exchange(other.capacity_, 0);
    return *this;
  }

  void AddDimension(const CellRange& declared);
  void AddSheetDefaults(const SheetDefaults& defaults);
  void AddColumnInfo(const ColumnInfo& columns);
  void AddRowInfo(const RowInfo& row);
  void AddCell(const Cell& cell);
  void AddMergedRange(const CellRange& range);
  void AddComment(std::uint32_t row, std::uint32_t column);

  std::size_t size() const { return size_; }
  bool empty() const { return size_ == 0; }
  /// Forgets the events and keeps the memory for the next ones.
  void Clear() { size_ = 0; }

  /// Gives `sink` the events in the order they were added. Returns kStop, handing over nothing
  /// more, as soon as the sink answers kStop to a cell.
  SinkControl Replay(SheetSink& sink) const;

 private:
  enum class Tag : char { kDimension, kDefaults, kColumn, kRow, kCell, kMerge, kComment };

  template <typename Fixed>
  void AddFixed(Tag tag, const Fixed& value);
  /// Room for `size` more bytes; returns where they go and counts them as written.
  char* Extend(std::size_t size);

  // A plain buffer rather than a string: a cell is written with one size check and no filling.
  std::unique_ptr<char[]> bytes_;
  std::size_t size_ = 0;
  std::size_t capacity_ = 0;
};

}  // namespace quorvex::sheet
