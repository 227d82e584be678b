// Sorted runs of cells in memory and in a temporary file, merged back in row order.
#include "sheet/stream/CellSorter.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "platform/Files.h"
#include "sheet/model/SheetError.h"

namespace quorvex::sheet {
namespace {

// An encoded cell: row, column and style (32 bits each), kind and flags (8 bits each), then the
// number (numbers and booleans), the text (strings and errors), the formula and the prepared text
// (each when flagged), each text as a 32-bit length and its bytes. Native byte order: the file never leaves
// this run.
constexpr std::size_t kHeaderSize = 14;
constexpr std::uint8_t kHasFormula = 0x01;
constexpr std::uint8_t kHasPrepared = 0x02;
constexpr std::size_t kReadBufferSize = std::size_t{64} << 10;

bool HasNumber(CellKind kind) {
  return kind == CellKind::kNumber || kind == CellKind::kBoolean;
}
bool HasText(CellKind kind) {
  return kind == CellKind::kString || kind == CellKind::kError;
}

template <typename T>
char* Put(char* out, T value) {
  std::memcpy(out, &value, sizeof(T));
  return out + sizeof(T);
}

template <typename T>
T Get(const char* data) {
  T value;
  std::memcpy(&value, data, sizeof(T));
  return value;
}

void Encode(const Cell& cell, std::string& out) {
  // The fixed part goes in one append, as appends of a few bytes each cost more than the copy.
  char fixed[kHeaderSize + sizeof(double) + sizeof(std::uint32_t)];
  char* end = Put<std::uint32_t>(fixed, cell.row);
  end = Put<std::uint32_t>(end, cell.column);
  end = Put<std::uint32_t>(end, cell.style);
  end = Put<std::uint8_t>(end, static_cast<std::uint8_t>(cell.value.kind));
  end = Put<std::uint8_t>(end, static_cast<std::uint8_t>((cell.formula.empty() ? 0 : kHasFormula) |
                                                         (cell.prepared ? kHasPrepared : 0)));
  if (HasNumber(cell.value.kind)) end = Put<double>(end, cell.value.number);
  if (HasText(cell.value.kind))
    end = Put<std::uint32_t>(end, static_cast<std::uint32_t>(cell.value.text.size()));
  out.append(fixed, static_cast<std::size_t>(end - fixed));
  if (HasText(cell.value.kind)) out.append(cell.value.text);
  if (!cell.formula.empty()) {
    end = Put<std::uint32_t>(fixed, static_cast<std::uint32_t>(cell.formula.size()));
    out.append(fixed, static_cast<std::size_t>(end - fixed));
    out.append(cell.formula);
  }
  if (cell.prepared) {
    end = Put<std::uint32_t>(fixed, static_cast<std::uint32_t>(cell.prepared->size()));
    out.append(fixed, static_cast<std::size_t>(end - fixed));
    out.append(*cell.prepared);
  }
}

/// Decodes the cell at `data`, whose bytes `ensure(n)` makes available (at least n of them,
/// possibly moving them: it returns the new start). Returns the encoded size.
template <typename Ensure>
std::size_t Decode(Ensure&& ensure, Cell& cell) {
  const char* data = ensure(kHeaderSize);
  cell.row = Get<std::uint32_t>(data);
  cell.column = Get<std::uint32_t>(data + 4);
  cell.style = Get<std::uint32_t>(data + 8);
  const auto kind = static_cast<CellKind>(Get<std::uint8_t>(data + 12));
  const auto flags = Get<std::uint8_t>(data + 13);
  const bool has_formula = (flags & kHasFormula) != 0;
  const bool has_prepared = (flags & kHasPrepared) != 0;
  std::size_t size = kHeaderSize;
  std::size_t number_at = 0, text_at = 0, text_size = 0, formula_at = 0, formula_size = 0;
  if (HasNumber(kind)) {
    number_at = size;
    size += 8;
  }
  if (HasText(kind)) {
    text_size = Get<std::uint32_t>(ensure(size + 4) + size);
    text_at = size + 4;
    size = text_at + text_size;
  }
  if (has_formula) {
    formula_size = Get<std::uint32_t>(ensure(size + 4) + size);
    formula_at = size + 4;
    size = formula_at + formula_size;
  }
  std::size_t prepared_at = 0, prepared_size = 0;
  if (has_prepared) {
    prepared_size = Get<std::uint32_t>(ensure(size + 4) + size);
    prepared_at = size + 4;
    size = prepared_at + prepared_size;
  }
  data = ensure(size);
  cell.value = CellValue{kind, number_at != 0 ? Get<double>(data + number_at) : 0.0,
                         std::string_view(data + text_at, text_size)};
  cell.formula = std::string_view(data + formula_at, formula_size);
  cell.prepared.reset();
  if (has_prepared) cell.prepared = std::string_view(data + prepared_at, prepared_size);
  return size;
}

[[noreturn]] void FailTemporary(const char* what) {
  throw SheetError(SheetErrorCode::kIo,
                   std::string("cannot ") + what +
                       " the temporary file that puts the sheet's cells in order: " + std::strerror(errno));
}

}  // namespace

/// One sorted run being read: the run still in memory, or one spilled to the file.
class CellRunReader {
 public:
  // The run in memory: entries sorted, of which the last at each place counts.
  CellRunReader(const std::string& memory, const std::vector<CellSorter::Entry>& entries)
      : memory_(&memory), entries_(&entries) {}
  // A spilled run: already free of repeated places.
  CellRunReader(std::FILE* file, std::int64_t offset, std::size_t size)
      : file_(file), next_offset_(offset), left_(size) {}

  /// Moves to the next cell of the run; false at its end.
  bool Next() {
    if (memory_ != nullptr) {
      while (index_ < entries_->size()) {
        const auto& entry = (*entries_)[index_++];
        const bool superseded = index_ < entries_->size() && (*entries_)[index_].row == entry.row &&
                                (*entries_)[index_].column == entry.column;
        if (superseded) continue;
        const char* at = memory_->data() + entry.offset;
        Decode([at](std::size_t) { return at; }, cell);
        return true;
      }
      return false;
    }
    start_ += consumed_;
    consumed_ = 0;
    if (start_ == end_ && left_ == 0) return false;
    consumed_ = Decode([this](std::size_t n) { return Ensure(n); }, cell);
    return true;
  }

  Cell cell;

 private:
  const char* Ensure(std::size_t n) {
    if (end_ - start_ >= n) return buffer_.data() + start_;
    return Refill(n);
  }

  // Moves the current cell's bytes to the front of the buffer and reads more after them.
  const char* Refill(std::size_t n) {
    if (end_ - start_ + left_ < n) {
      throw SheetError(SheetErrorCode::kIo,
                       "the temporary file that puts the sheet's cells in order ends early");
    }
    std::memmove(buffer_.data(), buffer_.data() + start_, end_ - start_);
    end_ -= start_;
    start_ = 0;
    const std::size_t want = std::min(left_, std::max(n, kReadBufferSize) - end_);
    // The buffer only grows: filling it anew for every read cost as much as the reading.
    if (buffer_.size() < end_ + want) buffer_.resize(end_ + want);
    if (!platform::SeekFile(file_, next_offset_, SEEK_SET)) FailTemporary("read");
    if (std::fread(buffer_.data() + end_, 1, want, file_) != want) FailTemporary("read");
    next_offset_ += static_cast<std::int64_t>(want);
    left_ -= want;
    end_ += want;
    return buffer_.data();
  }

  const std::string* memory_ = nullptr;
  const std::vector<CellSorter::Entry>* entries_ = nullptr;
  std::size_t index_ = 0;

  std::FILE* file_ = nullptr;
  std::int64_t next_offset_ = 0;  // of the bytes not yet in buffer_
  std::size_t left_ = 0;          // bytes of the run not yet in buffer_
  std::string buffer_;            // bytes of the run from start_ to end_, then room to read into
  std::size_t start_ = 0;         // of the current cell in buffer_
  std::size_t end_ = 0;           // of the bytes read into buffer_
  std::size_t consumed_ = 0;
};

CellSorter::CellSorter(std::size_t run_bytes) : run_bytes_(run_bytes) {}

CellSorter::~CellSorter() {
  if (file_ != nullptr) std::fclose(file_);
}

void CellSorter::Add(const Cell& cell) {
  if (added_ > 0 && (cell.row < last_row_ || (cell.row == last_row_ && cell.column <= last_column_))) {
    all_in_order_ = false;
    if (!entries_.empty()) memory_sorted_ = false;
  }
  last_row_ = cell.row;
  last_column_ = cell.column;
  entries_.push_back({cell.row, cell.column, memory_.size()});
  Encode(cell, memory_);
  ++added_;
  if (memory_.size() + entries_.size() * sizeof(Entry) >= run_bytes_) Spill();
}

void CellSorter::SortMemory() {
  if (memory_sorted_) return;
  std::stable_sort(entries_.begin(), entries_.end(), [](const Entry& a, const Entry& b) {
    return a.row != b.row ? a.row < b.row : a.column < b.column;
  });
  memory_sorted_ = true;
}

std::FILE* CellSorter::File() {
  if (file_ == nullptr) {
    file_ = platform::OpenTemporaryFile();
    if (file_ == nullptr) FailTemporary("create");
  }
  return file_;
}

void CellSorter::Settle() {
  if (!entries_.empty()) Spill();
  // A sorter kept while others fill holds no run memory.
  memory_.shrink_to_fit();
  entries_.shrink_to_fit();
}

void CellSorter::Spill() {
  std::string sorted;
  if (!memory_sorted_) {
    SortMemory();
    sorted.reserve(memory_.size());
    CellRunReader run(memory_, entries_);
    while (run.Next()) Encode(run.cell, sorted);
  }
  // Cells that came in order, each place once, are written as they were encoded.
  const std::string& out = sorted.empty() ? memory_ : sorted;
  std::FILE* file = File();
  if (!platform::SeekFile(file, file_size_, SEEK_SET) ||
      std::fwrite(out.data(), 1, out.size(), file) != out.size()) {
    FailTemporary("write");
  }
  runs_.push_back({file_size_, out.size()});
  file_size_ += static_cast<std::int64_t>(out.size());
  memory_.clear();
  entries_.clear();
  memory_sorted_ = true;
}

CellSorter::Reader::Reader(CellSorter& sorter) {
  sorter.SortMemory();
  if (!sorter.runs_.empty() && std::fflush(sorter.file_) != 0) FailTemporary("write");
  for (const Run& run : sorter.runs_)
    runs_.push_back(std::make_unique<CellRunReader>(sorter.file_, run.offset, run.size));
  runs_.push_back(std::make_unique<CellRunReader>(sorter.memory_, sorter.entries_));
  sequential_ = sorter.all_in_order_;
  if (!sequential_) {
    for (std::size_t i = 0; i < runs_.size(); ++i) Advance(i);
  }
}

const Cell* CellSorter::Reader::NextInSequence() {
  for (; sequence_run_ < runs_.size(); ++sequence_run_) {
    if (runs_[sequence_run_]->Next()) return &runs_[sequence_run_]->cell;
  }
  return nullptr;
}

CellSorter::Reader::~Reader() = default;

namespace {

// Heap order: the smallest place on top; at one place, the run collected last.
struct Later {
  const std::vector<std::unique_ptr<CellRunReader>>* runs;
  bool operator()(std::size_t a, std::size_t b) const {
    const Cell& x = (*runs)[a]->cell;
    const Cell& y = (*runs)[b]->cell;
    if (x.row != y.row) return x.row > y.row;
    if (x.column != y.column) return x.column > y.column;
    return a < b;
  }
};

}  // namespace

bool CellSorter::Reader::Advance(std::size_t run) {
  if (!runs_[run]->Next()) return false;
  heap_.push_back(run);
  std::push_heap(heap_.begin(), heap_.end(), Later{&runs_});
  return true;
}

const Cell* CellSorter::Reader::Next() {
  if (sequential_) return NextInSequence();
  if (heap_.empty()) return nullptr;
  const Later later{&runs_};
  std::pop_heap(heap_.begin(), heap_.end(), later);
  const std::size_t winner = heap_.back();
  heap_.pop_back();
  const Cell& found = runs_[winner]->cell;
  current_ = found;
  text_.assign(found.value.text);
  formula_.assign(found.formula);
  current_.value.text = text_;
  current_.formula = formula_;
  if (found.prepared) {
    prepared_.assign(*found.prepared);
    current_.prepared = prepared_;
  }
  // Earlier records of the same place lose.
  while (!heap_.empty() && runs_[heap_.front()]->cell.row == current_.row &&
         runs_[heap_.front()]->cell.column == current_.column) {
    std::pop_heap(heap_.begin(), heap_.end(), later);
    const std::size_t loser = heap_.back();
    heap_.pop_back();
    Advance(loser);
  }
  Advance(winner);
  return &current_;
}

}  // namespace quorvex::sheet
