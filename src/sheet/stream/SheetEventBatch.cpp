// A sheet's events written into bytes and read back, for handing them to another thread.
#include "sheet/stream/SheetEventBatch.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <type_traits>

namespace quorvex::sheet {
namespace {

/// A cell without its strings, which follow it in the batch.
struct CellHead {
  std::uint32_t row;
  std::uint32_t column;
  std::uint32_t style;
  CellKind kind;
  double number;
  std::uint32_t text_size;
  std::uint32_t formula_size;
};

struct CommentPlace {
  std::uint32_t row;
  std::uint32_t column;
};

template <typename Fixed>
Fixed Take(const char*& at) {
  static_assert(std::is_trivially_copyable_v<Fixed>);
  Fixed value;
  std::memcpy(&value, at, sizeof value);
  at += sizeof value;
  return value;
}

std::string_view TakeText(const char*& at, std::uint32_t size) {
  const std::string_view text(at, size);
  at += size;
  return text;
}

}  // namespace

char* SheetEventBatch::Extend(std::size_t size) {
  if (capacity_ - size_ < size) {
    const std::size_t capacity = std::max({capacity_ * 2, size_ + size, std::size_t{4096}});
    auto bytes = std::make_unique_for_overwrite<char[]>(capacity);
    if (size_ > 0) std::memcpy(bytes.get(), bytes_.get(), size_);
    bytes_ = std::move(bytes);
    capacity_ = capacity;
  }
  char* at = bytes_.get() + size_;
  size_ += size;
  return at;
}

template <typename Fixed>
void SheetEventBatch::AddFixed(Tag tag, const Fixed& value) {
  static_assert(std::is_trivially_copyable_v<Fixed>);
  char* at = Extend(1 + sizeof value);
  *at = static_cast<char>(tag);
  std::memcpy(at + 1, &value, sizeof value);
}

void SheetEventBatch::AddDimension(const CellRange& declared) {
  AddFixed(Tag::kDimension, declared);
}
void SheetEventBatch::AddSheetDefaults(const SheetDefaults& defaults) {
  AddFixed(Tag::kDefaults, defaults);
}
void SheetEventBatch::AddColumnInfo(const ColumnInfo& columns) {
  AddFixed(Tag::kColumn, columns);
}
void SheetEventBatch::AddRowInfo(const RowInfo& row) {
  AddFixed(Tag::kRow, row);
}
void SheetEventBatch::AddMergedRange(const CellRange& range) {
  AddFixed(Tag::kMerge, range);
}
void SheetEventBatch::AddComment(std::uint32_t row, std::uint32_t column) {
  AddFixed(Tag::kComment, CommentPlace{row, column});
}

void SheetEventBatch::AddCell(const Cell& cell) {
  const CellHead head{cell.row,
                      cell.column,
                      cell.style,
                      cell.value.kind,
                      cell.value.number,
                      static_cast<std::uint32_t>(cell.value.text.size()),
                      static_cast<std::uint32_t>(cell.formula.size())};
  char* at = Extend(1 + sizeof head + head.text_size + head.formula_size);
  *at++ = static_cast<char>(Tag::kCell);
  std::memcpy(at, &head, sizeof head);
  at += sizeof head;
  if (head.text_size > 0) std::memcpy(at, cell.value.text.data(), head.text_size);
  if (head.formula_size > 0) std::memcpy(at + head.text_size, cell.formula.data(), head.formula_size);
}

SinkControl SheetEventBatch::Replay(SheetSink& sink) const {
  const char* at = bytes_.get();
  const char* const end = at + size_;
  while (at < end) {
    switch (static_cast<Tag>(*at++)) {
      case Tag::kDimension:
        sink.OnDimension(Take<CellRange>(at));
        break;
      case Tag::kDefaults:
        sink.OnSheetDefaults(Take<SheetDefaults>(at));
        break;
      case Tag::kColumn:
        sink.OnColumnInfo(Take<ColumnInfo>(at));
        break;
      case Tag::kRow:
        sink.OnRowInfo(Take<RowInfo>(at));
        break;
      case Tag::kMerge:
        sink.OnMergedRange(Take<CellRange>(at));
        break;
      case Tag::kComment: {
        const auto place = Take<CommentPlace>(at);
        sink.OnComment(place.row, place.column);
        break;
      }
      case Tag::kCell: {
        const auto head = Take<CellHead>(at);
        Cell cell{head.row,   head.column, {head.kind, head.number, TakeText(at, head.text_size)},
                  head.style, {},          {}};
        cell.formula = TakeText(at, head.formula_size);
        if (sink.OnCell(cell) == SinkControl::kStop) return SinkControl::kStop;
        break;
      }
      default:
        throw std::logic_error("SheetEventBatch: unknown event");
    }
  }
  return SinkControl::kContinue;
}

}  // namespace quorvex::sheet
