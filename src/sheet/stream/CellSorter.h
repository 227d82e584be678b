// Puts cells that a file stores out of order into row order, in bounded memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "sheet/model/CellValue.h"

namespace quorvex::sheet {

class CellRunReader;

/// Collects cells with copies of their text, sorts them by row, then column, in runs of at most
/// `run_bytes` of memory, and spills full runs to an unnamed temporary file. Reading merges
/// the runs; of the cells at one place only the one added last is returned.
class CellSorter {
 public:
  static constexpr std::size_t kDefaultRunBytes = std::size_t{16} << 20;

  explicit CellSorter(std::size_t run_bytes = kDefaultRunBytes);
  ~CellSorter();
  CellSorter(const CellSorter&) = delete;
  CellSorter& operator=(const CellSorter&) = delete;

  /// Keeps a copy of `cell`. Throws SheetError (kIo) when the temporary file cannot be written.
  void Add(const Cell& cell);
  std::size_t size() const { return added_; }
  /// Moves the cells held in memory to the temporary file, so that a sorter kept for later
  /// holds little memory. Throws SheetError (kIo).
  void Settle();

  /// Cells in row order, each place once. Reading may start any number of times once all cells
  /// are added; the cell's text stays valid until the next call to Next.
  class Reader {
   public:
    explicit Reader(CellSorter& sorter);
    ~Reader();
    /// The next cell, or nullptr after the last.
    const Cell* Next();

   private:
    bool Advance(std::size_t run);
    const Cell* NextInSequence();
    std::vector<std::unique_ptr<CellRunReader>> runs_;
    // Every cell came after the one before: the runs follow one another and are read in turn.
    bool sequential_ = false;
    std::size_t sequence_run_ = 0;
    std::vector<std::size_t> heap_;  // runs with a cell waiting, the smallest position on top
    Cell current_;
    std::string text_;
    std::string formula_;
    std::string prepared_;
  };

 private:
  friend class Reader;
  friend class CellRunReader;
  struct Entry {
    std::uint32_t row;
    std::uint32_t column;
    std::size_t offset;  // of the encoded cell in memory_
  };
  struct Run {
    std::int64_t offset;
    std::size_t size;
  };

  void SortMemory();
  void Spill();
  std::FILE* File();

  std::size_t run_bytes_;
  std::size_t added_ = 0;
  std::string memory_;          // encoded cells of the run being collected
  std::vector<Entry> entries_;  // one per cell in memory_
  bool memory_sorted_ = true;   // the cells in memory_ came in row order, each place once
  bool all_in_order_ = true;    // so did every cell added
  std::uint32_t last_row_ = 0;
  std::uint32_t last_column_ = 0;
  std::vector<Run> runs_;  // spilled runs, in the order they were collected
  std::FILE* file_ = nullptr;
  std::int64_t file_size_ = 0;
};

}  // namespace quorvex::sheet
