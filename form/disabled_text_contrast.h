#pragma once

#include <QColor>
#include <QPalette>

// The contrast ratio of two colours by their relative luminance (sRGB), from
// 1 (the same) to 21 (black on white).
double ContrastRatio(const QColor &a, const QColor &b);

// The palette with the disabled fields' text darkened, grey still, until it
// reads against the disabled background at kDisabledTextContrast: the
// derived values a disabled field shows (converted loads or heights, the
// extension free height, the pitch) are numbers a designer reads.
inline constexpr double kDisabledTextContrast = 4.5;
QPalette WithReadableDisabledText(QPalette palette);
