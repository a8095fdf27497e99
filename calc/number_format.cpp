#include "number_format.h"

#include <fmt/compile.h>
#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <iterator>

namespace {

// A float as a decimal: value = 0.digits x 10^pointPosition, sign apart.
// digits has no leading zero; the empty string means zero.
struct Decimal {
    bool negative = false;
    std::string digits;
    int pointPosition = 0; // how many digits stand before the decimal point
};

// Reads fmt's text of a non-negative float ("44", "0.0125", "1.5e-06",
// "3.402823e+38") into digits and the place of the decimal point.
Decimal ParseDecimal(std::string_view text, bool negative) {
    Decimal d;
    d.negative = negative;
    const auto e = text.find('e');
    const std::string_view mantissa = text.substr(0, e);
    int digitsBeforePoint = 0;
    bool seenPoint = false;
    for (char c : mantissa) {
        if (c == '.') {
            seenPoint = true;
            continue;
        }
        if (d.digits.empty() && c == '0') {
            if (seenPoint) {
                --digitsBeforePoint; // a zero after the point and before any digit
            }
            continue;
        }
        d.digits.push_back(c);
        if (!seenPoint) {
            ++digitsBeforePoint;
        }
    }
    int exponent = 0;
    if (e != std::string_view::npos) {
        std::string_view exponentText = text.substr(e + 1);
        const bool negativeExponent = exponentText.front() == '-';
        if (exponentText.front() == '-' || exponentText.front() == '+') {
            exponentText.remove_prefix(1);
        }
        for (char c : exponentText) {
            exponent = exponent * 10 + (c - '0');
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    d.pointPosition = digitsBeforePoint + exponent;
    return d;
}

// The float in decimal: its shortest form that reads back as the same float,
// or its exact value rounded to seven significant digits (half to even). The
// formats are compiled: no format string is parsed at run time.
enum class Digits { Shortest, Seven };

Decimal ToDecimal(float value, Digits digits) {
    if (value == 0.0F) {
        Decimal zero;
        zero.negative = std::signbit(value);
        return zero;
    }
    fmt::memory_buffer buffer;
    if (digits == Digits::Seven) {
        fmt::format_to(std::back_inserter(buffer), FMT_COMPILE("{:.6e}"), std::fabs(value));
    } else {
        fmt::format_to(std::back_inserter(buffer), FMT_COMPILE("{}"), std::fabs(value));
    }
    return ParseDecimal(std::string_view(buffer.data(), buffer.size()), std::signbit(value));
}

void StripTrailingZeros(Decimal &d) {
    while (!d.digits.empty() && d.digits.back() == '0') {
        d.digits.pop_back();
    }
    if (d.digits.empty()) {
        d.pointPosition = 0;
    }
}

// Keeps the first `keep` digits, rounding half away from zero.
void KeepDigits(Decimal &d, int keep) {
    if (keep >= static_cast<int>(d.digits.size())) {
        return;
    }
    if (keep < 0) {
        d.digits.clear();
        d.pointPosition = 0;
        return;
    }
    const bool roundUp = d.digits[static_cast<std::size_t>(keep)] >= '5';
    d.digits.resize(static_cast<std::size_t>(keep));
    if (roundUp) {
        int i = keep - 1;
        while (i >= 0 && d.digits[static_cast<std::size_t>(i)] == '9') {
            d.digits[static_cast<std::size_t>(i)] = '0';
            --i;
        }
        if (i >= 0) {
            ++d.digits[static_cast<std::size_t>(i)];
        } else {
            d.digits.insert(d.digits.begin(), '1');
            ++d.pointPosition;
        }
    }
    StripTrailingZeros(d);
}

char DigitAt(const Decimal &d, int index) {
    return index >= 0 && index < static_cast<int>(d.digits.size())
               ? d.digits[static_cast<std::size_t>(index)]
               : '0';
}

// Fixed notation with the given number of decimals (digits beyond those of d
// are zeros). leadingZero: write "0" before the point when there is no
// integer digit.
std::string Fixed(const Decimal &d, int decimals, std::string_view separator, bool leadingZero) {
    std::string text;
    if (d.pointPosition > 0) {
        for (int i = 0; i < d.pointPosition; ++i) {
            text.push_back(DigitAt(d, i));
        }
    } else if (leadingZero) {
        text.push_back('0');
    }
    if (decimals > 0) {
        text.append(separator);
        for (int i = 0; i < decimals; ++i) {
            text.push_back(DigitAt(d, d.pointPosition + i));
        }
    }
    return text;
}

std::string FormatPattern(float value, int decimals, std::string_view separator) {
    Decimal d = ToDecimal(value, Digits::Shortest);
    KeepDigits(d, d.pointPosition + decimals);
    // A value that rounds to zero is shown without a minus sign.
    std::string text = d.digits.empty() || !d.negative ? "" : "-";
    return text + Fixed(d, decimals, separator, true);
}

std::string General(float value, std::string_view separator, bool leadingZero) {
    // Seven digits rounded from the exact value, so that every text reads
    // back as a float (the largest float included).
    Decimal d = ToDecimal(value, Digits::Seven);
    StripTrailingZeros(d);
    if (d.digits.empty()) {
        return "0";
    }
    std::string text = d.negative ? "-" : "";
    const int exponent = d.pointPosition - 1;
    if (exponent >= 7 || exponent < -5) {
        // Exponent notation: 1E+07, 1.5E-06
        text.push_back(d.digits[0]);
        if (d.digits.size() > 1) {
            text.append(separator);
            text.append(d.digits, 1);
        }
        text.append(exponent < 0 ? "E-" : "E+");
        // Two digits: a float's exponent lies between -45 and +38.
        const int magnitude = std::abs(exponent);
        text.push_back(static_cast<char>('0' + magnitude / 10));
        text.push_back(static_cast<char>('0' + magnitude % 10));
        return text;
    }
    const int decimals = std::max(0, static_cast<int>(d.digits.size()) - d.pointPosition);
    return text + Fixed(d, decimals, separator, leadingZero);
}

} // namespace

std::string FormatOneDecimal(float value, std::string_view decimalSeparator) {
    return FormatPattern(value, 1, decimalSeparator);
}

std::string FormatThreeDecimals(float value, std::string_view decimalSeparator) {
    return FormatPattern(value, 3, decimalSeparator);
}

std::string FormatGeneral(float value, std::string_view decimalSeparator) {
    return General(value, decimalSeparator, true);
}

std::string FormatGeneralForReport(float value, std::string_view decimalSeparator) {
    std::string text = General(value, decimalSeparator, false);
    if (text.front() != '-') {
        text.insert(text.begin(), ' ');
    }
    return text + ' ';
}
