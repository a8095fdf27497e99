#include "checked_math.h"

namespace checked {

void Raise(CalculationErrorKind kind, const char *cause) {
    throw CalculationError(kind, cause);
}

void RaiseUndefined(const char *cause) {
    throw CalculationError(CalculationErrorKind::Overflow, cause, CalculationStep::Unknown, true);
}

} // namespace checked
