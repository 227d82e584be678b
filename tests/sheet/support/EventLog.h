// A SheetSink that logs every event a reader streams as one line of text, in order.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet::test_support {

class EventLog : public SheetSink {
 public:
  void OnDimension(const CellRange& r) override { Log("dim " + Range(r)); }
  void OnColumnInfo(const ColumnInfo& c) override {
    Log("col " + std::to_string(c.first_column) + "-" + std::to_string(c.last_column) + " w" +
        Number(c.width) + (c.hidden ? " hidden" : "") + (c.style != 0 ? " @" + std::to_string(c.style) : ""));
  }
  void OnRowInfo(const RowInfo& r) override {
    Log("row " + std::to_string(r.row) + " h" + Number(r.height) + (r.hidden ? " hidden" : "") +
        (r.style ? " @" + std::to_string(*r.style) : ""));
  }
  void OnMergedRange(const CellRange& r) override { Log("merge " + Range(r)); }
  void OnSheetDefaults(const SheetDefaults& d) override {
    Log("defaults " + Number(d.column_width) + " " + Number(d.row_height) +
        (d.zero_height ? " zero-height" : ""));
  }
  void OnComment(std::uint32_t row, std::uint32_t column) override {
    Log("comment " + std::to_string(row) + "," + std::to_string(column));
  }

  /// "R,C kind:value" plus " @style" for styles other than 0.
  SinkControl OnCell(const Cell& cell) override {
    std::string text = std::to_string(cell.row) + "," + std::to_string(cell.column) + " ";
    switch (cell.value.kind) {
      case CellKind::kEmpty:
        text += "empty";
        break;
      case CellKind::kNumber:
        text += "n:" + Number(cell.value.number);
        break;
      case CellKind::kString:
        text += "s:" + std::string(cell.value.text);
        break;
      case CellKind::kBoolean:
        text += cell.value.number != 0 ? "b:TRUE" : "b:FALSE";
        break;
      case CellKind::kError:
        text += "e:" + std::string(cell.value.text);
        break;
    }
    if (cell.style != 0) text += " @" + std::to_string(cell.style);
    cells.push_back(text);
    Log(text);
    return SinkControl::kContinue;
  }

  std::vector<std::string> events;  // every event
  std::vector<std::string> cells;   // the cells only

 private:
  void Log(std::string line) { events.push_back(std::move(line)); }
  static std::string Range(const CellRange& r) {
    return std::to_string(r.first_row) + "," + std::to_string(r.first_column) + ":" +
           std::to_string(r.last_row) + "," + std::to_string(r.last_column);
  }
  static std::string Number(double value) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", value);
    return buffer;
  }
};

}  // namespace quorvex::sheet::test_support
