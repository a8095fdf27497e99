#include "checked_math.h"

namespace checked {

void Raise(CalculationErrorKind kind) {
    throw CalculationError(kind);
}

} // namespace checked
