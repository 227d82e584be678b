// Sections and conditions: which section a number uses and whether it keeps its minus sign.
#include "FormatRows.h"

namespace quorvex::sheet::numfmt::testing {
namespace {

TEST(FormatSections, SplitPositiveNegativeAndZero) {
  const FormatRow rows[] = {
      {-5, "0", "-5"},  // one section: negatives keep the sign
      {5, "0;(0)", "5"},
      {-5, "0;(0)", "(5)"},
      {0, "0;(0)", "0"},  // two sections: zero uses the first
      {0, "0;-0;\"zero\"", "zero"},
      {-5, "0;-0;\"zero\"", "-5"},
      {5, "0;-0;\"zero\"", "5"},
      {-0.0, "0;-0;\"zero\"", "zero"},
      {-0.001, "0;-0;\"zero\"", "-0"},  // the raw value picks the section, not the rounded one
      {1, "\"pos\";\"neg\";\"zero\"", "pos"},
      {-1, "\"pos\";\"neg\";\"zero\"", "neg"},
      {0, "\"pos\";\"neg\";\"zero\"", "zero"},
      {-1.5, "0.00;[Red]-0.00", "-1.50"},
      {-3, "[Blue]0;[Red]0", "3"},
      {5, "0;;", "5"},
      {-5, "0;;", ""},
      {0, "0;;", ""},
      {5, ";;;", ""},
      {-5, "0;", ""},
      {-1.5, "0.00;@", "-1.50"},  // a text section does not count as a negative section
      {-5, "0;-0;;@", "-5"},
      {0, "0;-0;;@", ""},
  };
  ExpectRows(rows);
}

TEST(FormatSections, ConditionsChooseTheSection) {
  const FormatRow rows[] = {
      {150, "[>=100]\"big\";[<0]\"neg\";\"small\"", "big"},
      {100, "[>=100]\"big\";[<0]\"neg\";\"small\"", "big"},
      {-5, "[>=100]\"big\";[<0]\"neg\";\"small\"", "neg"},
      {50, "[>=100]\"big\";[<0]\"neg\";\"small\"", "small"},
      {150, "[>=100]0.0;0", "150.0"},
      {5, "[>=100]0.0;0", "5"},
      {1, "[=1]\"one\";[=2]\"two\";0", "one"},
      {2, "[=1]\"one\";[=2]\"two\";0", "two"},
      {3, "[=1]\"one\";[=2]\"two\";0", "3"},
      {0, "[<>0]0;\"zero\"", "zero"},
      {3, "[<>0]0;\"zero\"", "3"},
      {1234567, "[>=1000000]0.0,,\"M\";[>=1000]0.0,\"K\";0", "1.2M"},
      {12345, "[>=1000000]0.0,,\"M\";[>=1000]0.0,\"K\";0", "12.3K"},
      {123, "[>=1000000]0.0,,\"M\";[>=1000]0.0,\"K\";0", "123"},
      {5, "[Red][>0]0;[Blue][<0]0;0", "5"},
      {0, "[Red][>0]0;[Blue][<0]0;0", "0"},
      {150, "[>=100][Red]0;0", "150"},
      {5.5, "[>=5.5]\"hi\";\"lo\"", "hi"},
      {5.4, "[>=5.5]\"hi\";\"lo\"", "lo"},
      {-2, "[>-3]\"above\";\"below\"", "-above"},
      {20, "[<=-10]0;[>=10]0;\"mid \"0", "20"},
      {5, "[<=-10]0;[>=10]0;\"mid \"0", "mid 5"},
  };
  ExpectRows(rows);
}

TEST(FormatSections, MinusSignDroppedOnlyWhereTheSectionTakesNegativesAlone) {
  const FormatRow rows[] = {
      {-5, "[<0]\"neg \"0;\"pos \"0", "neg 5"},
      {-5, "[Red][>0]0;[Blue][<0]0;0", "5"},
      {-20, "[<=-10]0;[>=10]0;\"mid \"0", "20"},
      {-5, "[<=-10]0;[>=10]0;\"mid \"0", "-mid 5"},
      {-5, "[>=100]0.0;0", "-5"},
      {-5000, "[>=1000000]0.0,,\"M\";[>=1000]0.0,\"K\";0", "-5000"},
      {-3, "[<>0]0;\"zero\"", "-3"},
      {-5, "[>=0]\"p\"0;\"n\"0", "-n5"},  // behind a lower bound of 0 or more the rest keeps it
      {-5, "[>=-10]\"p\"0;\"n\"0", "-p5"},
      {-20, "[>=-10]\"p\"0;\"n\"0", "n20"},
  };
  ExpectRows(rows);
}

TEST(FormatSections, ValueNoConditionAcceptsFillsTheCellWithHashes) {
  const FormatRow rows[] = {
      {5, "[<=-10]0;[>=10]0", kUnshowable.c_str()},
      {6.3, "[>=100]\"A\"0;[<=-100]\"B\"0", kUnshowable.c_str()},
      {0, "0;[<-5]0", kUnshowable.c_str()},  // a first section without condition takes values above 0
  };
  ExpectRows(rows);
}

// A lone conditional section leaves the values it does not accept to General, which keeps
// their minus sign behind an equality or a lower bound of zero or more.
TEST(FormatSections, ValueALoneConditionRefusesShowsAsGeneral) {
  const FormatRow rows[] = {
      {10, "[<10]#\" Wow\"", "10"}, {9, "[<10]#\" Wow\"", "9 Wow"}, {-5, "[>0]0", "-5"},
      {6.3, "[<=0]\"B\"0", "6.3"},  {-6.3, "[=6.3]\"B\"0", "-6.3"}, {-5, "[=-6]\\A0", "-5"},
      {-5, "[>=2]\\A0", "-5"},      {-5, "[<>-5]\\A0", "5"},        {-5, "[<-6]\\A0", "5"},
      {-5, "[<=-6]\\A0", "5"},
  };
  ExpectRows(rows);
}

// A section chosen by its condition drops the minus sign only when the condition accepts
// negative values alone; the section taking the rest keeps it by the first condition.
TEST(FormatSections, ConditionsDecideTheMinusSign) {
  const FormatRow rows[] = {
      {-6.3, "[<=0]\"B\"0", "-B6"},
      {-5, "[<-4]\\A0", "A5"},
      {-5, "[=-5]\\A0", "A5"},
      {-5, "[<>-6]\\A0", "-A5"},
      {-25, "[<=-25]General", "-25"},
      {-5, "[<>-5]\\A0;\\B0", "B5"},
      {-5, "[=-6]\\A0;\\B0", "-B5"},
      {-5, "[>2]\\A0;\\B0", "-B5"},
      {-6.3, "[<=-100]\"B\"0;\"C\"0", "C6"},
      {-6.3, "[>=100]\"A\"0;[<=0]\"B\"0", "-B6"},
      {-6.3, "[>=100]\"A\"0;[<=-100]\"B\"0;\"C\"0", "-C6"},
      {-6.3, "[>=100]\"A\"-0;[<=0]\"B\"-0;\"C\"-0", "-B-6"},
      {0, "\"A-\"0;[=0]\"B-\"0;\"C-\"0", "B-0"},
      {0, "\"A-\"0;[=-11]\"B-\"0;\"C-\"0", "C-0"},
      {-10, "\"A-\"0;[=-10]\"B-\"0;\"C-\"0", "B-10"},
      {-1, "\"A-\"0;[<0.5]\"B-\"0;\"C-\"0", "-B-1"},
      {-1, "\"A-\"0;[<0]\"B-\"0;\"C-\"0", "B-1"},
      {-3.96, "[>=100]#,##0;[<=-100]-#,##0;#,##0.00", "-3.96"},
      {-12.3456789, "[<=9999999]###\\-####;\\(###\\)\\ ###\\-####", "--12"},
      {-12.3, "[<0]\"\";0%", ""},
      {-25, "[Red][<=-25]General;[Blue][>=25]General;[Green]General;[Yellow]General", "25"},
      {-25, "[Red][<-25]General;[Blue][>25]General;[Green]General;[Yellow]General", "-25"},
      {-26, "[Red][<-25]General;[Blue][>25]General;[Green]General;[Yellow]General", "26"},
  };
  ExpectRows(rows);
}

TEST(FormatSections, ColoursAndLocalesShowOnlyTheirSymbols) {
  const FormatRow rows[] = {
      {5, "[Red]0", "5"},
      {5, "[red]0", "5"},
      {5, "[Color10]0", "5"},
      {5, "[COLOR56]0.0", "5.0"},
      {1234.5, "[$\xE2\x82\xAC-407] #,##0.00", "\xE2\x82\xAC 1,234.50"},
      {-1234.5, "[$\xE2\x82\xAC-407] #,##0.00", "-\xE2\x82\xAC 1,234.50"},
      {1234.5, "#,##0.00 [$\xE2\x82\xAC-407]", "1,234.50 \xE2\x82\xAC"},
      {5, "[$USD] 0", "USD 5"},
      {5, "[$-409]0.00", "5.00"},
      {1234.5, "[$$-409]#,##0.00", "$1,234.50"},
      {1234.5, "[$\xC2\xA5-411]#,##0",
       "\xC2\xA5"
       "1,235"},
      {1234.5, "[$-409]#,##0.00;[Red]-#,##0.00", "1,234.50"},
      {5, "[DBNum1]0", "5"},
      {123.456, "[Black]", "123.456"},  // a colour alone shows the number as General
      {123.456, "[DBNum2]", "123.456"},
      {-5, "0;[Red]", "5"},
      {123.456, "[$-1234]", ""},             // a locale alone shows nothing
      {12323, "[DBNum1][$-804]0", "12323"},  // East Asian numerals only for General: the plain number
      // A locale picks the currency text, never the separators of the system (en-US here).
      {1234.5678, "[$-407]#,##0.00", "1,234.57"},
      {1234.5678, "[$\xE2\x82\xAC-407]#,##0.00",
       "\xE2\x82\xAC"
       "1,234.57"},
      {1234.5678, "#,##0.00 [$\xE2\x82\xAC-40C]", "1,234.57 \xE2\x82\xAC"},
  };
  ExpectRows(rows);
}

}  // namespace
}  // namespace quorvex::sheet::numfmt::testing
