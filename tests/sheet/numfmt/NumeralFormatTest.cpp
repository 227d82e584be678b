// [DBNum1] to [DBNum3]: whole numbers in Chinese, Japanese and Korean numerals.
#include "FormatRows.h"

namespace quorvex::sheet::numfmt::testing {
namespace {

TEST(NumeralFormat, ChineseCountsInGroupsOfFourAndMarksZeroRuns) {
  const FormatRow rows[] = {
      {12323, "[DBNum1][$-804]General", "一万二千三百二十三"},
      {12323, "[DBNum2][$-804]General", "壹万贰仟叁佰贰拾叁"},
      {10005, "[DBNum1][$-804]General", "一万○五"},
      {10500, "[DBNum1][$-804]General", "一万○五百"},
      {1020, "[DBNum2][$-804]General", "壹仟零贰拾"},
      {100000005, "[DBNum1][$-804]General", "一亿○五"},
      {100000000, "[DBNum1][$-804]General", "一亿"},
      {10, "[DBNum1][$-804]General", "一十"},
      {0, "[DBNum1][$-804]General", "○"},
      {-12, "[DBNum1][$-804]General", "-一十二"},
  };
  ExpectRows(rows);
}

TEST(NumeralFormat, JapaneseAndKoreanLeaveZerosOut) {
  const FormatRow rows[] = {
      {12323, "[DBNum1][$-411]General", "一万二千三百二十三"},
      {11000, "[DBNum1][$-411]General", "一万千"},
      {10005, "[DBNum1][$-411]General", "一万五"},
      {12323, "[DBNum2][$-411]General", "壱萬弐阡参百弐拾参"},
      {12323, "[DBNum3][$-411]General", "１２３２３"},
      {12323, "[DBNum1][$-412]General", "一万二千三百二十三"},
      {10010, "[DBNum2][$-412]General", "壹萬壹拾"},
  };
  ExpectRows(rows);
}

// Where the form is not known the number shows in ordinary digits, never half converted.
TEST(NumeralFormat, OtherCasesShowThePlainNumber) {
  const FormatRow rows[] = {
      {1.5, "[DBNum1][$-804]General", "1.5"},     {123456789012, "[DBNum1][$-804]General", "1.23457E+11"},
      {12323, "[DBNum1]General", "12323"},        {12323, "[DBNum1][$-409]General", "12323"},
      {12323, "[DBNum3][$-804]General", "12323"}, {12323, "[DBNum1][$-404]General", "12323"},
      {12323, "[DBNum4][$-804]General", "12323"}, {45000, "[DBNum1][$-804]yyyy", "2023"},
  };
  ExpectRows(rows);
}

}  // namespace
}  // namespace quorvex::sheet::numfmt::testing
