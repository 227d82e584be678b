// A SheetSink that records what a reader streams, as compact text for comparisons.
#pragma once

#include <string>
#include <vector>

#include "sheet/model/WorkbookReader.h"

namespace quorvex::sheet::test_support {

class RecordingSink : public SheetSink {
 public:
  void OnDimension(const CellRange& declared) override {
    dimensions.push_back(std::to_string(declared.first_row) + "," + std::to_string(declared.first_column) +
                         ":" + std::to_string(declared.last_row) + "," +
                         std::to_string(declared.last_column));
  }

  /// Each cell as "row,column kind:value" plus " @style" for styles other than 0.
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
    return SinkControl::kContinue;
  }

  std::vector<std::string> dimensions;
  std::vector<std::string> cells;

 private:
  static std::string Number(double value) {
    std::string text = std::to_string(value);
    while (text.find('.') != std::string::npos && (text.back() == '0' || text.back() == '.')) {
      const bool dot = text.back() == '.';
      text.pop_back();
      if (dot) break;
    }
    return text;
  }
};

}  // namespace quorvex::sheet::test_support
