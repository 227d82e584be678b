// Tests for resolving relationship targets to part names.
#include <gtest/gtest.h>

#include "sheet/opc/PartNames.h"

namespace quorvex::sheet::opc {
namespace {

TEST(PartNames, FindsTheRelationshipsPartOfAPart) {
  EXPECT_EQ(RelationshipsPartOf(""), "_rels/.rels");
  EXPECT_EQ(RelationshipsPartOf("xl/workbook.xml"), "xl/_rels/workbook.xml.rels");
  EXPECT_EQ(RelationshipsPartOf("xl/worksheets/sheet1.xml"), "xl/worksheets/_rels/sheet1.xml.rels");
}

TEST(PartNames, ResolvesRelativeAndAbsoluteTargets) {
  const std::tuple<const char*, const char*, const char*> rows[] = {
      {"", "xl/workbook.xml", "xl/workbook.xml"},
      {"", "/xl/workbook.xml", "xl/workbook.xml"},
      {"", "./xl/workbook.xml", "xl/workbook.xml"},
      {"xl/workbook.xml", "worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
      {"xl/workbook.xml", "/xl/worksheets/sheet1.xml", "xl/worksheets/sheet1.xml"},
      {"xl/workbook.xml", "../customXml/item1.xml", "customXml/item1.xml"},
      {"xl/workbook.xml", "worksheets/./x/../sheet%201.xml", "xl/worksheets/sheet 1.xml"},
      {"xl/workbook.xml", "worksheets\\sheet2.xml", "xl/worksheets/sheet2.xml"},
      {"xl/workbook.xml", "sheet3.xml#fragment", "xl/sheet3.xml"},
  };
  for (const auto& [source, target, expected] : rows) {
    EXPECT_EQ(ResolvePartName(source, target).value_or("<none>"), expected) << source << " + " << target;
  }
}

TEST(PartNames, KeepsTargetsClimbingAboveTheRootInsideThePackage) {
  EXPECT_EQ(ResolvePartName("xl/workbook.xml", "../../xl/worksheets/sheet1.xml").value_or("<none>"),
            "xl/worksheets/sheet1.xml");
  EXPECT_EQ(ResolvePartName("", "../x.xml").value_or("<none>"), "x.xml");
  EXPECT_EQ(ResolvePartName("xl/workbook.xml", "\\xl\\worksheets\\sheet1.xml").value_or("<none>"),
            "xl/worksheets/sheet1.xml");
  EXPECT_FALSE(ResolvePartName("xl/workbook.xml", ""));
  EXPECT_FALSE(ResolvePartName("xl/workbook.xml", "/"));
  EXPECT_FALSE(ResolvePartName("xl/workbook.xml", "../.."));
}

}  // namespace
}  // namespace quorvex::sheet::opc
