// A workbook reader that streams scripted sheets, for writer tests that need exact control.
#pragma once

#include <string>
#include <utility>
#include <vector>

#include "sheet/model/SheetError.h"
#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet::test_support {

/// One scripted cell; `text` and `formula` are owned here and lent to the sink.
struct ScriptedCell {
  std::uint32_t row = 0;
  std::uint32_t column = 0;
  CellKind kind = CellKind::kEmpty;
  double number = 0;
  std::string text;
  std::uint32_t style = 0;
  std::string formula;
};

inline ScriptedCell Text(std::uint32_t row, std::uint32_t column, std::string text, std::uint32_t style = 0) {
  return {row, column, CellKind::kString, 0, std::move(text), style, {}};
}
inline ScriptedCell Number(std::uint32_t row, std::uint32_t column, double number, std::uint32_t style = 0,
                           std::string formula = {}) {
  return {row, column, CellKind::kNumber, number, {}, style, std::move(formula)};
}

struct ScriptedSheet {
  std::string name;
  std::vector<ScriptedCell> cells;
  std::vector<ColumnInfo> columns;
  std::vector<RowInfo> rows;
  std::vector<CellRange> merges;
  bool hidden = false;
};

class ScriptedWorkbookReader : public WorkbookReader {
 public:
  explicit ScriptedWorkbookReader(std::vector<ScriptedSheet> sheets) : sheets_(std::move(sheets)) {
    for (const ScriptedSheet& sheet : sheets_) {
      SheetInfo info;
      info.name = sheet.name;
      info.hidden = sheet.hidden;
      workbook_.sheets.push_back(info);
    }
    workbook_.cell_formats.emplace_back();
    workbook_.fonts.emplace_back();
    workbook_.fills.emplace_back();
    workbook_.borders.emplace_back();
  }

  Workbook& mutable_workbook() { return workbook_; }
  const Workbook& workbook() const override { return workbook_; }

  void ReadSheet(std::size_t position, SheetSink& sink) override {
    if (position >= sheets_.size()) throw SheetError(SheetErrorCode::kCorrupt, "no such sheet");
    const ScriptedSheet& sheet = sheets_[position];
    for (const ColumnInfo& column : sheet.columns) sink.OnColumnInfo(column);
    std::size_t next_row = 0;
    for (const ScriptedCell& scripted : sheet.cells) {
      while (next_row < sheet.rows.size() && sheet.rows[next_row].row <= scripted.row)
        sink.OnRowInfo(sheet.rows[next_row++]);
      Cell cell;
      cell.row = scripted.row;
      cell.column = scripted.column;
      cell.value = CellValue{scripted.kind, scripted.number, scripted.text};
      cell.style = scripted.style;
      cell.formula = scripted.formula;
      if (sink.OnCell(cell) == SinkControl::kStop) return;
    }
    while (next_row < sheet.rows.size()) sink.OnRowInfo(sheet.rows[next_row++]);
    for (const CellRange& merge : sheet.merges) sink.OnMergedRange(merge);
  }

 private:
  std::vector<ScriptedSheet> sheets_;
  Workbook workbook_;
};

}  // namespace quorvex::sheet::test_support
