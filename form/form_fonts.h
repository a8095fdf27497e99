#pragma once

#include <QColor>
#include <QFont>

// "宋体" 10.5 pt for every control; on systems without it a Song (serif)
// CJK face, then a sans one, so that the Chinese captions always render.
QFont WindowFont();

// The same font with a face whose Latin letters are half as wide as a
// Chinese character, as in "宋体"; for short units that must fit the design.
QFont HalfWidthLatinFont(const QFont &font);

// The title "Orsela": "幼圆" 15 pt bold, with a sans CJK fallback.
QFont TitleFont();
inline const QColor kTitleColour{0, 0, 255};
