#include "checked_math.h"

namespace checked {

void Raise(CalculationErrorKind kind, const char *cause) {
    throw CalculationError(kind, cause);
}

} // namespace checked
