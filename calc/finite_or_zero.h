#pragma once

#include <cmath>

// A value as a chart or a drawing places it: a value that is not finite
// (a design that could not be calculated) at zero, never off the sheet.
inline double FiniteOrZero(double value) {
    return std::isfinite(value) ? value : 0.0;
}
