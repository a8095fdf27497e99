#pragma once

#include <QColor>
#include <QFont>

// "宋体" 10.5 pt for every control; where it is missing, the program's own
// cut of Noto Serif CJK SC (the window's characters only). Whatever else a
// field is given is drawn in the system's fallbacks for a serif face (Noto
// Serif CJK SC and the like).
QFont WindowFont();

// The title "Orsela": "幼圆" 15 pt bold, else the program's own cut of Noto
// Sans CJK SC Bold.
QFont TitleFont();
inline const QColor kTitleColour{0, 0, 255};

// The family names of the two embedded faces.
inline constexpr const char *kEmbeddedSerifFamily = "Orsela Serif";
inline constexpr const char *kEmbeddedTitleFamily = "Orsela Title";
