#pragma once

#include <QColor>
#include <QFont>

// "宋体" 10.5 pt for every control; where it is missing, the program's own
// cut of Noto Serif CJK SC (the window's characters only), then the system's
// Song (serif) and sans CJK faces for whatever else a field is given.
QFont WindowFont();

// The title "Orsela": "幼圆" 15 pt bold, else the program's own cut of Noto
// Sans CJK SC Bold, then the system's.
QFont TitleFont();
inline const QColor kTitleColour{0, 0, 255};

// The family names of the two embedded faces.
inline constexpr const char *kEmbeddedSerifFamily = "Orsela Serif";
inline constexpr const char *kEmbeddedTitleFamily = "Orsela Title";
