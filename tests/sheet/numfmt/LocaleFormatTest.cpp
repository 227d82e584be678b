// Locale tags: month and day names by locale, tag forms, and what a tag leaves alone.
#include "FormatRows.h"

namespace quorvex::sheet::numfmt::testing {
namespace {

constexpr double kWednesday15March2023 = 45000;
constexpr double kSunday1January2023 = 44927;
constexpr double kWednesday1February2023 = 44958;
constexpr double kFriday1December2023 = 45261;

TEST(LocaleFormat, NamesMonthsAndDaysInTheTaggedLanguage) {
  const FormatRow rows[] = {
      {kWednesday15March2023, "[$-40C]dddd d mmmm yyyy", "mercredi 15 mars 2023"},
      {kWednesday1February2023, "[$-40C]d mmm yyyy", "1 févr. 2023"},
      {kSunday1January2023, "[$-40C]ddd", "dim."},
      {kWednesday15March2023, "[$-407]dddd, d. mmmm yyyy", "Mittwoch, 15. März 2023"},
      {kWednesday15March2023, "[$-407]d-mmm-yy", "15-Mrz-23"},
      {kSunday1January2023, "[$-407]ddd", "So"},
      {kWednesday15March2023, "[$-C0A]dddd, d \"de\" mmmm", "miércoles, 15 de marzo"},
      {kSunday1January2023, "[$-40A]ddd mmm", "dom ene"},
      {kWednesday15March2023, "[$-410]dddd d mmmm", "mercoledì 15 marzo"},
      {kFriday1December2023, "[$-410]ddd mmm", "ven dic"},
      {kWednesday15March2023, "[$-416]dddd, d \"de\" mmmm", "quarta-feira, 15 de março"},
      {kFriday1December2023, "[$-816]mmmm mmm ddd", "dezembro dez sex"},
      {kWednesday15March2023, "[$-413]dddd d mmmm mmm", "woensdag 15 maart mrt"},
      {kWednesday15March2023, "[$-41D]dddd d mmmm ddd", "onsdag 15 mars on"},
      {kWednesday15March2023, "[$-406]dddd d. mmmm", "onsdag 15. marts"},
      {kFriday1December2023, "[$-414]mmmm mmm ddd", "desember des fr"},
      {kWednesday15March2023, "[$-40B]dddd d. mmmm mmm", "keskiviikko 15. maaliskuu maalis"},
      {kWednesday15March2023, "[$-415]dddd, d mmmm ddd", "środa, 15 marzec śr."},
      {kWednesday15March2023, "[$-405]dddd d. mmmm mmm", "středa 15. březen bře"},
      {kWednesday15March2023, "[$-419]dddd, d mmmm", "среда, 15 Март"},
      {kWednesday15March2023, "[$-419]ddd mmm", "Ср мар"},
      {kWednesday15March2023, "[$-41F]d mmmm dddd", "15 Mart Çarşamba"},
      {kWednesday1February2023, "[$-41F]mmm ddd", "Şub Çar"},
      {kWednesday15March2023, "[$-411]mmmm d\"日\" dddd ddd", "3月 15日 水曜日 水"},
      {kWednesday15March2023, "[$-804]mmmm dddd ddd mmm", "三月 星期三 周三 3月"},
      {kWednesday15March2023, "[$-404]ddd mmmm", "週三 三月"},
      {kWednesday15March2023, "[$-412]mmmm dddd ddd", "3월 수요일 수"},
      {kWednesday15March2023, "[$-809]dddd d mmmm yyyy", "Wednesday 15 March 2023"},
  };
  ExpectRows(rows);
}

// mmmmm shows the first letter of the month name, a whole character however many bytes it takes.
TEST(LocaleFormat, FirstLetterOfTheMonthIsAWholeCharacter) {
  const FormatRow rows[] = {
      {kWednesday15March2023, "[$-40C]mmmmm", "m"},
      {kWednesday15March2023, "[$-419]mmmmm", "М"},
      {kSunday1January2023, "[$-804]mmmmm", "一"},
      {kWednesday15March2023, "mmmmm", "M"},
  };
  ExpectRows(rows);
}

// The locale is the low 16 bits of the tag's number (calendar and numeral flags above them
// change nothing here); other locales of a language take its names; unknown ones the en-US names.
TEST(LocaleFormat, ReadsEveryFormOfTheTag) {
  const FormatRow rows[] = {
      {kWednesday15March2023, "[$-1010409]d-mmm-yy", "15-Mar-23"},
      {kWednesday15March2023, "[$-101040C]mmmm", "mars"},
      {kWednesday15March2023, "[$-2000000]mmmm dddd", "March Wednesday"},
      {kWednesday15March2023, "[$-fr-FR]mmmm", "mars"},
      {kWednesday15March2023, "[$-de-AT]mmmm", "März"},
      {kWednesday15March2023, "[$-80C]mmmm", "mars"},
      {kWednesday15March2023, "[$-FC19]mmmm", "Март"},
      {kWednesday15March2023, "[$-1234]mmmm", "March"},
      {kWednesday15March2023, "[$-zz]mmmm", "March"},
      {kWednesday15March2023, "[$-]mmmm", "March"},
      {kWednesday15March2023, "[$-123456789]mmmm", "March"},
      {kWednesday15March2023, "[$€-40C]mmmm", "€mars"},
      {kWednesday15March2023, "[$-F800]yyyy", "Wednesday, March 15, 2023"},
      {kWednesday15March2023, "[$-F800]dddd\\,\\ mmmm\\ dd\\,\\ yyyy", "Wednesday, March 15, 2023"},
      {kWednesday15March2023, "[$-40C][$-F800]mmmm", "Wednesday, March 15, 2023"},
      {0.25, "[$-F400]h:mm", "6:00:00 AM"},
  };
  ExpectRows(rows);
}

// A tag names the language of its own section; separators stay en-US.
TEST(LocaleFormat, TagAppliesToItsSectionAndNotToSeparators) {
  const FormatRow rows[] = {
      {kWednesday15March2023, "[<45001][$-40C]mmmm;mmmm", "mars"},
      {45100, "[<45001][$-40C]mmmm;mmmm", "June"},
      {1234.5678, "[$-40C]#,##0.00", "1,234.57"},
      {1234.5678, "[$€-40C] #,##0.00", "€ 1,234.57"},
      {0.5, "[$-407]0.0%", "50.0%"},
      {1234.5, "[$-407]General", "1234.5"},
  };
  ExpectRows(rows);
}

}  // namespace
}  // namespace quorvex::sheet::numfmt::testing
