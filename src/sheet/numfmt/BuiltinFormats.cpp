// The built-in number formats (en-US) that a file may use by id without defining them.
#include <array>
#include <cstdint>
#include <string_view>

#include "sheet/numfmt/NumberFormat.h"

namespace quorvex::sheet::numfmt {
namespace {

constexpr std::string_view kDate = "m/d/yyyy";

// Ids 0 to 49 as an en-US installation defines them (37 to 40 as the published list of
// built-in formats spells them: a space, not a parenthesis' width, after positive values), then the ids East
// Asian installations define (50 to 81), shown by an en-US installation as the nearest format of its own.
// Empty entries have no built-in meaning and show as General.
constexpr std::array<std::string_view, 82> kBuiltin = {
    "General",                                   // 0
    "0",                                         // 1
    "0.00",                                      // 2
    "#,##0",                                     // 3
    "#,##0.00",                                  // 4
    "\"$\"#,##0_);\\(\"$\"#,##0\\)",             // 5
    "\"$\"#,##0_);[Red]\\(\"$\"#,##0\\)",        // 6
    "\"$\"#,##0.00_);\\(\"$\"#,##0.00\\)",       // 7
    "\"$\"#,##0.00_);[Red]\\(\"$\"#,##0.00\\)",  // 8
    "0%",                                        // 9
    "0.00%",                                     // 10
    "0.00E+00",                                  // 11
    "# ?/?",                                     // 12
    "# ?\?/?\?",                                 // 13
    kDate,                                       // 14
    "d-mmm-yy",                                  // 15
    "d-mmm",                                     // 16
    "mmm-yy",                                    // 17
    "h:mm AM/PM",                                // 18
    "h:mm:ss AM/PM",                             // 19
    "h:mm",                                      // 20
    "h:mm:ss",                                   // 21
    "m/d/yyyy h:mm",                             // 22
    "General",
    "General",
    "General",
    "General",  // 23-26
    kDate,
    kDate,
    kDate,
    kDate,
    kDate,  // 27-31
    "",
    "",
    "",
    "",
    "",                                                                      // 32-36
    "#,##0 ;(#,##0)",                                                        // 37
    "#,##0 ;[Red](#,##0)",                                                   // 38
    "#,##0.00;(#,##0.00)",                                                   // 39
    "#,##0.00;[Red](#,##0.00)",                                              // 40
    "_(* #,##0_);_(* \\(#,##0\\);_(* \"-\"_);_(@_)",                         // 41
    "_(\"$\"* #,##0_);_(\"$\"* \\(#,##0\\);_(\"$\"* \"-\"_);_(@_)",          // 42
    "_(* #,##0.00_);_(* \\(#,##0.00\\);_(* \"-\"??_);_(@_)",                 // 43
    "_(\"$\"* #,##0.00_);_(\"$\"* \\(#,##0.00\\);_(\"$\"* \"-\"??_);_(@_)",  // 44
    "mm:ss",                                                                 // 45
    "[h]:mm:ss",                                                             // 46
    "mmss.0",                                                                // 47
    "##0.0E+0",                                                              // 48
    "@",                                                                     // 49
    kDate,
    kDate,
    kDate,
    kDate,
    kDate,
    kDate,
    kDate,
    kDate,
    kDate,  // 50-58
    "0",
    "0.00",
    "#,##0",
    "#,##0.00",  // 59-62
    "",
    "",
    "",
    "",  // 63-66
    "0%",
    "0.00%",  // 67-68
    "# ?/?",
    "# ?\?/?\?",  // 69-70
    kDate,
    kDate,
    "d-mmm-yy",
    "d-mmm",
    "mmm-yy",  // 71-75
    "h:mm",
    "h:mm:ss",
    "m/d/yyyy h:mm",  // 76-78
    "mm:ss",
    "[h]:mm:ss",
    "mmss.0",  // 79-81
};

}  // namespace

std::string_view BuiltinFormatCode(std::uint32_t id) {
  return id < kBuiltin.size() ? kBuiltin[id] : std::string_view();
}

}  // namespace quorvex::sheet::numfmt
