// Tests of the selection left after removing one output directory.
#include <gtest/gtest.h>

#include "settings/OutputDirectoryRules.h"

namespace quorvex::settings {
namespace {

struct RemovalCase {
  int count_before;
  int removed;
  int expected;
};

class SelectionAfterRemovalTest : public ::testing::TestWithParam<RemovalCase> {};

TEST_P(SelectionAfterRemovalTest, SelectsFollowerElseNewLastElseNothing) {
  EXPECT_EQ(SelectionAfterRemoval(GetParam().count_before, GetParam().removed), GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Rows, SelectionAfterRemovalTest,
                         ::testing::Values(RemovalCase{3, 1, 1},    // A B C, B removed: C at 1
                                           RemovalCase{3, 2, 1},    // C removed: B
                                           RemovalCase{3, 0, 0},    // A removed: B at 0
                                           RemovalCase{1, 0, -1},   // the only entry: nothing
                                           RemovalCase{2, 1, 0}));  // last of two: the first

}  // namespace
}  // namespace quorvex::settings
