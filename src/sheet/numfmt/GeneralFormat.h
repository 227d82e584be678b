// The General number format: how a cell shows a number no format was chosen for.
#pragma once

#include <string>

namespace quorvex::sheet::numfmt {

/// Appends `value` in General form as a cell wide enough for it shows it (en-US): at most
/// 11 characters for the digits and decimal point (a minus sign comes on top), rounded to fit;
/// scientific form ("1.23457E+11", "1E-10") when the integer part needs 12 or more digits or
/// when a small number would lose significant digits. Non-finite values give "#NUM!".
void AppendGeneral(double value, std::string& out);

}  // namespace quorvex::sheet::numfmt
