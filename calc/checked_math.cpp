#include "checked_math.h"

#include "calculation_error.h"

#include <cmath>

namespace checked {

double Step(double value) {
    if (!std::isfinite(value)) {
        throw CalculationError(CalculationErrorKind::Overflow);
    }
    return value;
}

double Divide(double numerator, double denominator) {
    if (denominator == 0.0) {
        throw CalculationError(numerator == 0.0 ? CalculationErrorKind::Overflow
                                                : CalculationErrorKind::DivisionByZero);
    }
    return Step(numerator / denominator);
}

double Power(double base, double exponent) { return Step(std::pow(base, exponent)); }

float Store(double value) {
    const auto stored = static_cast<float>(Step(value));
    if (std::isinf(stored)) {
        throw CalculationError(CalculationErrorKind::Overflow);
    }
    return stored;
}

} // namespace checked
