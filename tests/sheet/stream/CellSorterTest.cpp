// Cells put in row order through sorted runs, in memory and spilled to a temporary file.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "sheet/stream/CellSorter.h"

namespace quorvex::sheet {
namespace {

Cell TextCell(std::uint32_t row, std::uint32_t column, std::string_view text, std::string_view formula = {}) {
  return {row, column, CellValue::String(text), 7, formula};
}

/// "row,column:text=formula" for each cell read, in order.
std::vector<std::string> ReadAll(CellSorter& sorter) {
  std::vector<std::string> out;
  CellSorter::Reader reader(sorter);
  while (const Cell* cell = reader.Next()) {
    std::string line = std::to_string(cell->row) + "," + std::to_string(cell->column) + ":";
    switch (cell->value.kind) {
      case CellKind::kNumber:
        line += std::to_string(static_cast<int>(cell->value.number));
        break;
      case CellKind::kString:
        line += std::string(cell->value.text);
        break;
      default:
        line += "?";
        break;
    }
    if (!cell->formula.empty()) line += "=" + std::string(cell->formula);
    EXPECT_EQ(cell->style, 7u);
    out.push_back(line);
  }
  return out;
}

TEST(CellSorter, ReturnsCellsInRowOrderWithTheLastRecordOfEachPlace) {
  // Runs of about a dozen cells: every case spills, and repeated places fall in different runs.
  for (const std::size_t run_bytes : {std::size_t{400}, CellSorter::kDefaultRunBytes}) {
    CellSorter sorter(run_bytes);
    std::vector<std::string> expected;
    for (std::uint32_t row = 60; row-- > 0;) {
      sorter.Add(TextCell(row, 1, "b" + std::to_string(row)));
      sorter.Add(TextCell(row, 0, "old"));
    }
    sorter.Add(TextCell(30, 0, "new", "SUM(A1:A2)"));
    sorter.Add({59, 2, CellValue::Number(5), 7, {}});
    for (std::uint32_t row = 0; row < 60; ++row) {
      expected.push_back(std::to_string(row) + ",0:" + (row == 30 ? "new=SUM(A1:A2)" : "old"));
      expected.push_back(std::to_string(row) + ",1:b" + std::to_string(row));
    }
    expected.push_back("59,2:5");
    EXPECT_EQ(ReadAll(sorter), expected) << run_bytes;
    EXPECT_EQ(ReadAll(sorter), expected) << "a second reading, " << run_bytes;
  }
}

TEST(CellSorter, KeepsLongTextsWhole) {
  CellSorter sorter(1024);
  const std::string long_text(100'000, 'x');
  sorter.Add(TextCell(2, 0, long_text));
  sorter.Add(TextCell(1, 0, "short"));
  sorter.Add(TextCell(0, 0, long_text + "y"));
  const auto cells = ReadAll(sorter);
  ASSERT_EQ(cells.size(), 3u);
  EXPECT_EQ(cells[0], "0,0:" + long_text + "y");
  EXPECT_EQ(cells[2], "2,0:" + long_text);
}

}  // namespace
}  // namespace quorvex::sheet
