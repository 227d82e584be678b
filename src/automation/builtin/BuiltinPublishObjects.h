// The publish collection of a workbook opened by the built-in engine: web pages of sheets.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace quorvex::automation {

class BuiltinWorkbook;

/// Items are added one at a time, all written by Publish and removed by Delete. Whether a page
/// is a single-file web page follows from its file name (".mht" or ".mhtml").
class BuiltinPublishObjects {
 public:
  struct Item {
    int source_type = 0;
    std::string file_name;
    std::string sheet;
    std::optional<std::string> source;
    int html_type = 0;
    std::optional<std::string> div_id;
    std::string title;
  };

  /// Stores an item. Raises AutomationError, storing nothing, when the source type is not a
  /// whole sheet, a source range is given, the page type is not 0, 1 or 2, or no worksheet of
  /// `workbook` has the item's sheet name.
  void Add(BuiltinWorkbook& workbook, Item item);
  /// Writes the page of every stored item, in the order added; the items stay stored.
  void Publish(BuiltinWorkbook& workbook) const;
  /// Removes every item.
  void Delete() { items_.clear(); }

  const std::vector<Item>& items() const { return items_; }

 private:
  std::vector<Item> items_;
};

/// True when `file_name` ends in ".mht" or ".mhtml" (any case).
bool IsSingleFileName(const std::string& file_name);

}  // namespace quorvex::automation
