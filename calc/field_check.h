#pragma once

#include "numeric_fields.h"
#include "spring_design.h"

#include <optional>
#include <span>
#include <string>
#include <string_view>

// The entry rules of the fifteen numeric input fields, shared by the window
// and the command-line front end.

inline constexpr const char *kNotNumericMessage = "请输入一个数值!";

// The fifteen numeric fields in the window's reading order.
std::span<const NumericField> NumericFields();
const NumericField *FindNumericFieldByTextBox(std::string_view textBox);
const NumericField *FindNumericFieldByDesignField(std::string_view designField);

// Result of converting a field text to a single-precision value.
enum class NumericTextStatus {
    Ok,         // value holds the rounded float (tiny values become 0)
    NotNumeric, // fails the numeric test
    TooLarge,   // numeric, but beyond the single-precision range
};

struct NumericText {
    NumericTextStatus status = NumericTextStatus::NotNumeric;
    float value = 0.0F;
};

// The numeric test and the conversion in one: plain decimal notation with an
// optional sign, digits with an optional decimal point, and an optional
// exponent ("e" or "E", optional sign, digits); blanks around the number are
// allowed. The point is "." or localeSeparator (UTF-8). No infinity, NaN,
// hexadecimal or thousands separators. A text that passes always converts.
NumericText ParseNumericText(std::string_view text, std::string_view localeSeparator = ".");

// The outcome of a field's exit check, without any window.
enum class FieldVerdict { Accepted, NotNumeric, OutOfRange };

struct FieldCheck {
    FieldVerdict verdict = FieldVerdict::Accepted;
    std::string message; // empty when accepted
    float value = 0.0F;  // the converted value when accepted
};

FieldCheck CheckFieldText(const NumericField &field, std::string_view text,
                          std::string_view localeSeparator = ".");
