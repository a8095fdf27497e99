#include "calculation_error.h"

CalculationError::CalculationError(CalculationErrorKind kind)
    : std::runtime_error(CalculationErrorName(kind)), kind_(kind) {}

const char *CalculationErrorName(CalculationErrorKind kind) {
    switch (kind) {
    case CalculationErrorKind::DivisionByZero:
        return "除数为零";
    case CalculationErrorKind::Overflow:
        return "溢出";
    }
    return "溢出";
}
