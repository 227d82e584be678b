// Tests for decoding SpreadsheetML _xHHHH_ escapes.
#include <gtest/gtest.h>

#include "sheet/ooxml/Xstring.h"

namespace quorvex::sheet::ooxml {
namespace {

TEST(Xstring, DecodesEscapes) {
  const std::pair<const char*, const char*> rows[] = {
      {"plain", "plain"},
      {"a_x000D_b", "a\rb"},
      {"_x0009__x000A_", "\t\n"},
      {"_x005F_x000D_", "_x000D_"},
      {"_x00e9_", "\xC3\xA9"},
      {"_xD83D__xDE00_", "\xF0\x9F\x98\x80"},
      {"_xD83D_x", "\xEF\xBF\xBDx"},
      {"_xDE00_", "\xEF\xBF\xBD"},
      {"_x41_", "_x41_"},
      {"_X0041_", "_X0041_"},
      {"_x00G1_", "_x00G1_"},
      {"x_x0041", "x_x0041"},
      {"__x0041__", "_A_"},
  };
  for (const auto& [escaped, expected] : rows) EXPECT_EQ(DecodeXstring(escaped), expected) << escaped;
}

}  // namespace
}  // namespace quorvex::sheet::ooxml
