// Dates in the 1900 and 1904 systems, times, rounding and elapsed time.
#include "FormatRows.h"

namespace quorvex::sheet::numfmt::testing {
namespace {

constexpr double kMarch15th2023 = 45000;  // a Wednesday

TEST(DateFormat1900, CountsThePhantomLeapDay) {
  const FormatRow rows[] = {
      {0, "m/d/yyyy", "1/0/1900"},
      {1, "m/d/yyyy", "1/1/1900"},
      {2, "mm/dd/yyyy", "01/02/1900"},
      {59, "m/d/yyyy", "2/28/1900"},
      {60, "m/d/yyyy", "2/29/1900"},
      {61, "m/d/yyyy", "3/1/1900"},
      {366, "m/d/yyyy", "12/31/1900"},
      {367, "m/d/yyyy", "1/1/1901"},
      {25569, "m/d/yyyy", "1/1/1970"},
      {36526, "m/d/yyyy", "1/1/2000"},
      {39448, "m/d/yyyy", "1/1/2008"},
      {43831, "m/d/yyyy", "1/1/2020"},
      {44927, "m/d/yyyy", "1/1/2023"},
      {kMarch15th2023, "m/d/yyyy", "3/15/2023"},
      {45351, "m/d/yyyy", "2/29/2024"},
      {45352, "m/d/yyyy", "3/1/2024"},
      {2958465, "m/d/yyyy", "12/31/9999"},
      {0, "dddd", "Saturday"},
      {1, "dddd", "Sunday"},
      {60, "dddd", "Wednesday"},
      {61, "dddd", "Thursday"},
      {kMarch15th2023, "dddd", "Wednesday"},
      {kMarch15th2023 + 1, "ddd", "Thu"},
  };
  ExpectRows(rows);
}

TEST(DateFormat1900, ShowsEachDateCode) {
  const FormatRow rows[] = {
      {kMarch15th2023, "d", "15"},
      {44928, "d", "2"},
      {44928, "dd", "02"},
      {kMarch15th2023, "m", "3"},
      {kMarch15th2023, "mm", "03"},
      {kMarch15th2023, "mmm", "Mar"},
      {kMarch15th2023, "mmmm", "March"},
      {kMarch15th2023, "mmmmm", "M"},
      {44958, "mmmm", "February"},
      {45170, "mmmm", "September"},
      {45261, "mmm", "Dec"},
      {kMarch15th2023, "yy", "23"},
      {kMarch15th2023, "y", "23"},
      {kMarch15th2023, "yyy", "2023"},
      {kMarch15th2023, "yyyy", "2023"},
      {36526, "yy", "00"},
      {2958465, "yyyy", "9999"},
      {kMarch15th2023, "YYYY-MM-DD", "2023-03-15"},
      {kMarch15th2023 + 0.75, "yyyy-mm-dd", "2023-03-15"},
      {kMarch15th2023, "d-mmm-yy", "15-Mar-23"},
      {kMarch15th2023, "mmm-yy", "Mar-23"},
      {kMarch15th2023, "d-mmm", "15-Mar"},
      {kMarch15th2023, "dddd, mmmm d, yyyy", "Wednesday, March 15, 2023"},
      {kMarch15th2023, "[$-F800]dddd, mmmm dd, yyyy", "Wednesday, March 15, 2023"},
      {kMarch15th2023, "[$-x-sysdate]dddd, mmmm dd, yyyy", "Wednesday, March 15, 2023"},
      {44927, "d mmmm yyyy", "1 January 2023"},
      {kMarch15th2023, "dd.mm.yyyy", "15.03.2023"},
      {kMarch15th2023, "\"Day \"d\" of \"mmmm", "Day 15 of March"},
      {kMarch15th2023, "[$-409]mmmm d, yyyy;@", "March 15, 2023"},
      {kMarch15th2023, "e", "2023"},
      {kMarch15th2023, "bbbb", "2566"},
      {kMarch15th2023, "bb", "66"},
      {kMarch15th2023, "B1yyyy", "2023"},
  };
  ExpectRows(rows);
}

TEST(DateFormat1900, OutsideTheCalendarFillsWithHashes) {
  const FormatRow rows[] = {
      {-1, "m/d/yyyy", kUnshowable.c_str()},
      {-0.5, "h:mm", kUnshowable.c_str()},
      {2958466, "m/d/yyyy", kUnshowable.c_str()},
      {-1, "m/d/yyyy;m/d/yyyy", kUnshowable.c_str()},
      {-5, "m/d/yyyy;0", "5"},  // a negative section without dates still shows
  };
  ExpectRows(rows);
}

TEST(DateFormat1904, StartsOnFirstJanuary1904) {
  const FormatRow rows[] = {
      {0, "m/d/yyyy", "1/1/1904"},
      {1, "m/d/yyyy", "1/2/1904"},
      {59, "m/d/yyyy", "2/29/1904"},
      {60, "m/d/yyyy", "3/1/1904"},
      {43538, "m/d/yyyy", "3/15/2023"},
      {2957003, "m/d/yyyy", "12/31/9999"},
      {2957004, "m/d/yyyy", kUnshowable.c_str()},
      {0, "dddd", "Friday"},
      {43538.75, "yyyy-mm-dd hh:mm", "2023-03-15 18:00"},
      {1.5, "[h]:mm:ss", "36:00:00"},
      {-0.25, "h:mm", "-6:00"},  // the 1904 system shows negative times
      {-0.5, "[h]:mm", "-12:00"},
      {-1, "m/d/yyyy", "-1/2/1904"},  // negative dates show the date of their magnitude, signed
      {-1.5, "h:mm:ss", "-12:00:00"},
      {1462, "m/d/yyyy", "1/2/1908"},
      {366, "dddd, mmmm d, yyyy", "Sunday, January 1, 1905"},
      {-5, "0;m/d/yyyy", "1/6/1904"},  // a date section for negatives shows no sign
  };
  ExpectRows(rows, true);
}

TEST(TimeFormat, ShowsClockTimes) {
  const FormatRow rows[] = {
      {0, "h:mm AM/PM", "12:00 AM"},
      {0.5, "h:mm AM/PM", "12:00 PM"},
      {0.75, "h:mm AM/PM", "6:00 PM"},
      {0.25, "h:mm AM/PM", "6:00 AM"},
      {0.99, "h:mm AM/PM", "11:45 PM"},
      {Time(12, 0, 1), "h:mm:ss AM/PM", "12:00:01 PM"},
      {Time(7, 12, 0), "hh:mm AM/PM", "07:12 AM"},
      {0.75, "h:mm:ss A/P", "6:00:00 P"},
      {0.25, "h a/p", "6 a"},
      {0.75, "h:mm am/pm", "6:00 PM"},
      {0.25, "h:mm am/pm", "6:00 AM"},
      {0.75, "h:mm Am/Pm", "6:00 PM"},
      {0.5, "hh:mm:ss am/pm", "12:00:00 PM"},
      {Time(13, 12, 0), "h AM/PM", "1 PM"},
      {0.5, "h:mm", "12:00"},
      {0.5, "h", "12"},
      {0.25, "hh", "06"},
      {Time(12, 5, 0), "h:m", "12:5"},
      {Time(12, 5, 7), "h:mm:s", "12:05:7"},
      {Time(12, 5, 7), "m:ss", "5:07"},
      {Time(0, 5, 30), "mm:ss", "05:30"},
      {kMarch15th2023 + 0.5, "mm", "03"},  // alone, mm is the month
      {kMarch15th2023 + Time(13, 14, 15), "yyyy-mm-dd hh:mm:ss", "2023-03-15 13:14:15"},
      {kMarch15th2023 + Time(13, 14, 15), "m/d/yyyy h:mm", "3/15/2023 13:14"},
      {kMarch15th2023 + 0.25, "h:mm", "6:00"},
      {0.25, "[$-F400]h:mm:ss AM/PM", "6:00:00 AM"},
      {Time(14, 24, 0), "[$-x-systime]h:mm:ss AM/PM", "2:24:00 PM"},
      {Time(9, 5, 0), "h\"h\"mm", "9h05"},
      {Time(18, 30, 0), "h:mm;@", "18:30"},
  };
  ExpectRows(rows);
}

TEST(TimeFormat, RoundsToTheShownPrecisionBeforeSplittingFields) {
  const FormatRow rows[] = {
      {0.99999, "h:mm", "23:59"},  // seconds are not shown, minutes are not rounded up
      {Time(10, 29, 59), "h:mm", "10:29"},
      {Time(10, 29, 59.6), "h:mm", "10:30"},
      {0.99999, "h:mm:ss", "23:59:59"},
      {0.999999, "h:mm:ss", "0:00:00"},
      {0.999999, "hh:mm:ss", "00:00:00"},
      {kMarch15th2023 + 0.9999999, "m/d/yyyy h:mm:ss", "3/16/2023 0:00:00"},
      {0.999999, "h:mm:ss.00", "23:59:59.91"},
      {Time(12, 0, 0.1234), "h:mm:ss.000", "12:00:00.123"},
      {Time(0, 0, 0.2), "ss.0", "00.2"},
      {Time(0, 0, 1.6), "h:mm:ss", "0:00:02"},
      {0.0001, "mmss.0", "0008.6"},
      {0.0001, "mm:ss", "00:09"},
      {Time(0, 0, 59.9999), "h:mm:ss", "0:01:00"},
  };
  ExpectRows(rows);
}

// ".0" to ".000" after any time field show fractions of a second, truncated from the
// finest one the section shows.
TEST(TimeFormat, FractionsOfASecondFollowAnyField) {
  const double value = 0.70707;  // 16:58:10.848
  const FormatRow rows[] = {
      {value, "hh:mm:ss.000", "16:58:10.848"},
      {value, "hh.000", "16.848"},
      {value, "hh .00", "16 .85"},
      {value, "hh  .0", "16  .8"},
      {value, "hh .00 .000", "16 .84 .848"},
      {value, ".00 hh", ".00 16"},  // before any field the point is literal
  };
  ExpectRows(rows);
}

// m is the minute right after an hour or seconds field no minute claimed yet, and right
// before seconds; otherwise the month.
TEST(TimeFormat, MinutesOrMonthsByTheirNeighbours) {
  const double value = 3.14159;  // 3 January 1900 3:23:53
  const FormatRow rows[] = {
      {value, "s:m", "53:23"},
      {value, "ss \"past\" m", "53 past 23"},
      {0.5, "hh:mm:ss AM/P", "12:00:00 A1/P"},
      {0.7, "hhh:mmm:sss", "16:Jan:00"},
      {0.7, "hh:mm:sss", "16:48:00"},
      {value, "m", "1"},
  };
  ExpectRows(rows);
}

TEST(ElapsedFormat, CountsWholeHoursMinutesOrSeconds) {
  const FormatRow rows[] = {
      {1.5, "[h]:mm:ss", "36:00:00"},
      {0, "[h]:mm:ss", "0:00:00"},
      {2.25 + Time(0, 30, 0), "[h]:mm:ss", "54:30:00"},
      {100, "[h]:mm:ss", "2400:00:00"},
      {0.25, "[hh]:mm", "06:00"},
      {0.1, "[mm]:ss", "144:00"},
      {Time(0, 1, 30), "[mm]:ss", "01:30"},
      {Time(0, 1, 30), "[m]:ss", "1:30"},
      {1, "[s]", "86400"},
      {Time(0, 0, 5), "[ss]", "05"},
      {0.999999, "[h]:mm:ss", "24:00:00"},
      {1 + Time(0, 0, 0.5), "[h]:mm:ss.00", "24:00:00.50"},
      {1.25, "[h] \"hours\"", "30 hours"},
      {-0.5, "[h]:mm", "-12:00"},  // elapsed time may be negative
      {Time(25, 0, 0), "[H]:MM", "25:00"},
      {2.9999999999999996, "[h]:mm:ss;@", "72:00:00"},
      {3.14159, "[ss].000", "271433.376"},
  };
  ExpectRows(rows);
}

// With [h] in the code a plain h counts elapsed hours too, and with [s] a plain s elapsed
// seconds; other fields keep their place in the hour.
TEST(ElapsedFormat, PlainFieldsFollowTheirElapsedBracket) {
  const FormatRow rows[] = {
      {3.14159, "\"It was \"[h]\" [yes, \"h\"] hours and \"mm:ss", "It was 75 [yes, 75] hours and 23:53"},
      {3.14159, "[s]\" [yes, \"ss\"] seconds\"", "271433 [yes, 271433] seconds"},
      {Time(2, 3, 4), "[s]\" [yes, \"ss\"] seconds\"", "7384 [yes, 7384] seconds"},
      {3.14159, "s:m\" @ hour \"[hh]", "53:23 @ hour 75"},
  };
  ExpectRows(rows);
}

// A negative duration shows its magnitude after a minus sign.
TEST(ElapsedFormat, NegativeDurationsKeepTheirSign) {
  const FormatRow rows[] = {
      {-Time(2, 3, 4), "[h]:m:s.000", "-2:3:4.000"},
      {-2, "[h]", "-48"},
      {-0.1, "[s]", "-8640"},
      {-0.1, "[m]", "-144"},
      {-1, "[hhh]", "-024"},
      {-0.5, "[h]:mm;\"neg \"[h]:mm", "neg 12:00"},
  };
  ExpectRows(rows);
}

}  // namespace
}  // namespace quorvex::sheet::numfmt::testing
