// The used-range rule: which records count, and in which direction.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "sheet/stream/UsedRangeBuilder.h"

namespace quorvex::sheet {
namespace {

std::string Show(const std::optional<CellRange>& range) {
  if (!range) return "none";
  return std::to_string(range->first_row) + "," + std::to_string(range->first_column) + ":" +
         std::to_string(range->last_row) + "," + std::to_string(range->last_column);
}

RowInfo Row(std::uint32_t row) {
  RowInfo info;
  info.row = row;
  return info;
}

ColumnInfo Columns(std::uint32_t first, std::uint32_t last, std::uint32_t style, bool hidden = false) {
  ColumnInfo info;
  info.first_column = first;
  info.last_column = last;
  info.style = style;
  info.styled = style != 0;
  info.hidden = hidden;
  return info;
}

struct Case {
  const char* name;
  std::function<void(UsedRangeBuilder&)> records;
  const char* expected;
};

TEST(UsedRangeBuilder, CountsTheRecordsTheApplicationCounts) {
  const auto cells = [](UsedRangeBuilder& used) {
    used.AddDefaults({.column_width = 8.43, .row_height = 15});
    used.AddCell(2, 2);
    used.AddCell(3, 3);
  };
  const std::vector<Case> cases = {
      {"nothing", [](UsedRangeBuilder&) {}, "none"},
      {"cells, blank ones included", cells, "2,2:3,3"},
      {"a hidden row widens the rows only",
       [&](UsedRangeBuilder& u) {
         cells(u);
         RowInfo row = Row(9);
         row.hidden = true;
         u.AddRow(row);
       },
       "2,2:9,3"},
      {"a row of the default height changes nothing",
       [&](UsedRangeBuilder& u) {
         cells(u);
         RowInfo row = Row(0);
         row.height = 15;
         u.AddRow(row);
       },
       "2,2:3,3"},
      {"a row of another height counts without the custom flag",
       [&](UsedRangeBuilder& u) {
         cells(u);
         RowInfo row = Row(0);
         row.height = 20;
         u.AddRow(row);
       },
       "0,2:3,3"},
      {"a custom format of the default style does not count, a styled one does",
       [&](UsedRangeBuilder& u) {
         cells(u);
         RowInfo plain = Row(7);
         plain.style = 0;
         u.AddRow(plain);
         RowInfo styled = Row(6);
         styled.style = 4;
         styled.styled = true;
         u.AddRow(styled);
       },
       "2,2:6,3"},
      {"outline level, collapsed and thick borders count",
       [&](UsedRangeBuilder& u) {
         cells(u);
         RowInfo outline = Row(5);
         outline.outline_level = 1;
         RowInfo collapsed = Row(6);
         collapsed.collapsed = true;
         RowInfo thick = Row(1);
         thick.thick_bottom = true;
         for (const RowInfo& row : {outline, collapsed, thick}) u.AddRow(row);
       },
       "1,2:6,3"},
      {"rows hidden by default: visible row records count, hidden ones not",
       [&](UsedRangeBuilder& u) {
         u.AddDefaults({.row_height = 15, .zero_height = true});
         u.AddCell(2, 2);
         u.AddRow(Row(8));
         RowInfo hidden = Row(12);
         hidden.hidden = true;
         u.AddRow(hidden);
       },
       "2,2:8,2"},
      {"styled or hidden columns widen the columns only; a width alone does not",
       [&](UsedRangeBuilder& u) {
         cells(u);
         u.AddColumns(Columns(6, 7, 3));
         u.AddColumns(Columns(0, 0, 0, true));
         ColumnInfo wide = Columns(9, 9, 0);
         wide.width = 30;
         u.AddColumns(wide);
       },
       "2,0:3,7"},
      {"the whole-sheet format and the columns sharing its style do not count",
       [&](UsedRangeBuilder& u) {
         cells(u);
         u.AddColumns(Columns(0, 5, 3));
         u.AddColumns(Columns(6, 6, 5));
         ColumnInfo rest = Columns(7, 16383, 3);
         rest.to_sheet_end = true;
         u.AddColumns(rest);
       },
       "2,2:3,6"},
      {"with a default width of 0 every column record counts",
       [&](UsedRangeBuilder& u) {
         u.AddDefaults({.column_width = 0, .row_height = 15, .zero_column_width = true});
         u.AddCell(2, 2);
         u.AddColumns(Columns(8, 8, 0));
       },
       "2,2:2,8"},
      {"merges and comments count in both directions",
       [&](UsedRangeBuilder& u) {
         cells(u);
         u.AddMerge({4, 1, 5, 6});
         u.AddComment(0, 3);
       },
       "0,1:5,6"},
      {"row records without cells start at the first column",
       [&](UsedRangeBuilder& u) {
         RowInfo hidden = Row(4);
         hidden.hidden = true;
         u.AddRow(hidden);
       },
       "4,0:4,0"},
  };
  for (const Case& c : cases) {
    UsedRangeBuilder used;
    c.records(used);
    EXPECT_EQ(Show(used.Result()), c.expected) << c.name;
  }
}

}  // namespace
}  // namespace quorvex::sheet
