#include "field_check.h"

#include <fast_float/fast_float.h>

#include <array>
#include <cmath>
#include <limits>
#include <system_error>

namespace {

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}

std::string_view TrimBlanks(std::string_view text) {
    while (!text.empty() && IsBlank(text.front())) {
        text.remove_prefix(1);
    }
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text;
}

// A validated number, rewritten in the form fast_float reads: no '+'
// before the mantissa, "." as the point.
struct Scanned {
    bool valid = false;
    std::string normalized;
    bool allZero = true;     // every mantissa digit is 0
    long long magnitude = 0; // decimal exponent of the first non-zero digit
};

Scanned Scan(std::string_view text, std::string_view localeSeparator) {
    Scanned s;
    std::size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') {
            s.normalized.push_back('-');
        }
        ++i;
    }
    bool seenPoint = false;
    std::size_t mantissaDigits = 0;
    long long integerDigits = 0; // digits before the point
    long long firstNonZero = -1; // index of the first non-zero mantissa digit
    while (i < text.size()) {
        const char c = text[i];
        if (IsDigit(c)) {
            if (c != '0' && firstNonZero < 0) {
                firstNonZero = static_cast<long long>(mantissaDigits);
            }
            ++mantissaDigits;
            if (!seenPoint) {
                ++integerDigits;
            }
            s.normalized.push_back(c);
            ++i;
            continue;
        }
        if (!seenPoint && c == '.') {
            seenPoint = true;
            s.normalized.push_back('.');
            ++i;
            continue;
        }
        if (!seenPoint && !localeSeparator.empty() && text.substr(i).starts_with(localeSeparator)) {
            seenPoint = true;
            s.normalized.push_back('.');
            i += localeSeparator.size();
            continue;
        }
        break;
    }
    if (mantissaDigits == 0) {
        return s;
    }
    long long exponent = 0;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        s.normalized.push_back('e');
        ++i;
        bool negativeExponent = false;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
            negativeExponent = text[i] == '-';
            s.normalized.push_back(text[i]);
            ++i;
        }
        std::size_t exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i])) {
            // Saturate: anything past a billion is out of every range anyway.
            if (exponent < 1'000'000'000) {
                exponent = exponent * 10 + (text[i] - '0');
            }
            s.normalized.push_back(text[i]);
            ++exponentDigits;
            ++i;
        }
        if (exponentDigits == 0) {
            return s;
        }
        if (negativeExponent) {
            exponent = -exponent;
        }
    }
    if (i != text.size()) {
        return s;
    }
    s.valid = true;
    s.allZero = firstNonZero < 0;
    if (!s.allZero) {
        s.magnitude = integerDigits - 1 - firstNonZero + exponent;
    }
    return s;
}

} // namespace

std::span<const NumericField> NumericFields() {
    return kNumericFields;
}

const NumericField *FindNumericFieldByTextBox(std::string_view textBox) {
    for (const auto &field : kNumericFields) {
        if (textBox == field.textBox) {
            return &field;
        }
    }
    return nullptr;
}

const NumericField *FindNumericFieldByDesignField(std::string_view designField) {
    for (const auto &field : kNumericFields) {
        if (designField == field.designField) {
            return &field;
        }
    }
    return nullptr;
}

NumericText ParseNumericText(std::string_view text, std::string_view localeSeparator) {
    NumericText result;
    const Scanned s = Scan(TrimBlanks(text), localeSeparator);
    if (!s.valid) {
        return result;
    }
    const bool negative = !s.normalized.empty() && s.normalized.front() == '-';
    if (s.allZero) {
        result.status = NumericTextStatus::Ok;
        result.value = negative ? -0.0F : 0.0F;
        return result;
    }
    // Far outside the float range either way: decide without converting.
    if (s.magnitude > 39) {
        result.status = NumericTextStatus::TooLarge;
        return result;
    }
    if (s.magnitude < -50) {
        result.status = NumericTextStatus::Ok;
        result.value = negative ? -0.0F : 0.0F;
        return result;
    }
    // Correctly rounded, and the same on every compiler: a value beyond the
    // float range reads as infinity, one too small to hold as a signed zero.
    float value = 0.0F;
    const char *first = s.normalized.data();
    const char *last = first + s.normalized.size();
    const auto [ptr, ec] = fast_float::from_chars(first, last, value);
    if (ec != std::errc() || ptr != last || std::isinf(value)) {
        result.status = NumericTextStatus::TooLarge;
        return result;
    }
    result.status = NumericTextStatus::Ok;
    result.value = value;
    return result;
}

FieldCheck CheckFieldText(const NumericField &field, std::string_view text,
                          std::string_view localeSeparator) {
    FieldCheck check;
    const NumericText parsed = ParseNumericText(text, localeSeparator);
    if (parsed.status == NumericTextStatus::NotNumeric) {
        check.verdict = FieldVerdict::NotNumeric;
        check.message = kNotNumericMessage;
        return check;
    }
    const bool refused =
        parsed.status == NumericTextStatus::TooLarge ||
        (field.rule == RangeRule::RefuseZeroAndBelow ? parsed.value <= 0.0F : parsed.value < 0.0F);
    if (refused) {
        check.verdict = FieldVerdict::OutOfRange;
        check.message = field.rangeMessage;
        return check;
    }
    check.value = parsed.value;
    return check;
}
