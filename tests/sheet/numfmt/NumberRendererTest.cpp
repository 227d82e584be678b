// Number sections: the shorter path for common shapes writes what the general path writes.
#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>

#include "sheet/numfmt/FormatParser.h"
#include "sheet/numfmt/NumberRenderer.h"

namespace quorvex::sheet::numfmt {
namespace {

std::string Render(const Section& section, double magnitude) {
  std::string out;
  AppendFixedSection(section, magnitude, false, out);
  return out;
}

TEST(NumberRenderer, PlainShapesRenderAsTheGeneralPathDoes) {
  std::mt19937_64 generator(11);
  std::uniform_real_distribution<double> mantissa(1, 10);
  std::uniform_int_distribution<int> exponent(-8, 16);
  for (const char* code : {"0", "0.00", "#,##0", "#,##0.00", "0%", "0.00%", "00000", "0,000.0", "#", "#,###",
                           "#.00", "\"$\"#,##0.00", "0.0,,\"M\"", "#,##0,", "0.000\" kg\"", "[Red]0.0"}) {
    const auto parsed = ParseFormat(code);
    ASSERT_NE(parsed, nullptr) << code;
    Section plain = parsed->sections[0];
    ASSERT_TRUE(plain.plain) << code;
    Section general = plain;
    general.plain = false;
    for (int round = 0; round < 500; ++round) {
      const double value =
          round < 3 ? round * 0.5 : mantissa(generator) * std::pow(10.0, exponent(generator));
      EXPECT_EQ(Render(plain, value), Render(general, value)) << code << " " << value;
    }
  }
}

TEST(NumberRenderer, OtherShapesKeepTheGeneralPath) {
  for (const char* code :
       {"0.##", "#.##", "??0.0?", "000-00-0000", "0.", "0#", "0 0", "0.0\"x\"0", ".00", "General"}) {
    const auto parsed = ParseFormat(code);
    ASSERT_NE(parsed, nullptr) << code;
    EXPECT_FALSE(parsed->sections[0].plain) << code;
  }
}

}  // namespace
}  // namespace quorvex::sheet::numfmt
