#pragma once

#include <string>
#include <string_view>

// Number to text as the window and the report show it. The patterns round the
// shortest decimal form of the float half away from zero; at least one
// integer digit, a leading minus for negatives, no thousands separator.
// decimalSeparator is the locale's (UTF-8), "." by default.

// Pattern "0.0": heights and the developed length.
std::string FormatOneDecimal(float value, std::string_view decimalSeparator = ".");
// Pattern "0.000": loads, index, factor, rate, pitch, ratio, stress, angle.
std::string FormatThreeDecimals(float value, std::string_view decimalSeparator = ".");

// General form: at most seven significant digits, no trailing zeros, no
// point for whole values (5 -> "5", 6.5 -> "6.5", 0.5 -> "0.5"). Exponent
// notation ("1E+07", "1E-06") outside 1E-05 <= |value| < 1E+07.
std::string FormatGeneral(float value, std::string_view decimalSeparator = ".");

// The report's general number: a sign position (space or "-"), the general
// form without the zero before the point below one (".5"), then one space.
// 79000 -> " 79000 ".
std::string FormatGeneralForReport(float value, std::string_view decimalSeparator = ".");
