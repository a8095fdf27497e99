#pragma once

#include "calculation_error.h"

#include <cmath>

// Checked arithmetic for the formulas. Every step of a formula goes through
// one of these so that a fault is raised where it happens: a non-zero value
// divided by zero is a division by zero; 0/0 and a result that does not fit
// its precision are an overflow. Underflow and inexact results are fine.
// Inline: a run is a few dozen of these and should cost next to nothing.
namespace checked {

[[noreturn]] void Raise(CalculationErrorKind kind, const char *cause = nullptr);
// 0/0: undefined, which the rules count as an overflow.
[[noreturn]] void RaiseUndefined(const char *cause);

// A double-precision step result; Overflow when it is not finite.
inline double Step(double value) {
    if (!std::isfinite(value)) [[unlikely]] {
        Raise(CalculationErrorKind::Overflow);
    }
    return value;
}

// a / b with the fault rules above. zeroCause says, in the user's words,
// what a zero denominator means ("材料直径为零或过小").
inline double Divide(double numerator, double denominator, const char *zeroCause = nullptr) {
    if (denominator == 0.0) [[unlikely]] {
        if (numerator == 0.0) {
            RaiseUndefined(zeroCause);
        }
        Raise(CalculationErrorKind::DivisionByZero, zeroCause);
    }
    return Step(numerator / denominator);
}

// Double-precision power, checked.
inline double Power(double base, double exponent) {
    return Step(std::pow(base, exponent));
}

// Rounds once to single precision for storing in the design; Overflow when
// the value does not fit a float.
inline float Store(double value) {
    const auto stored = static_cast<float>(Step(value));
    if (std::isinf(stored)) [[unlikely]] {
        Raise(CalculationErrorKind::Overflow);
    }
    return stored;
}

} // namespace checked
