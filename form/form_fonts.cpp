#include "form_fonts.h"

#include <QStringList>

QFont WindowFont() {
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QStringLiteral("Noto Serif CJK SC"), QStringLiteral("Noto Sans CJK SC")});
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(10.5);
    font.setWeight(QFont::Normal);
    return font;
}

QFont TitleFont() {
    QFont font;
    font.setFamilies(
        {QStringLiteral("幼圆"), QStringLiteral("YouYuan"), QStringLiteral("Noto Sans CJK SC")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(15.0);
    font.setWeight(QFont::Bold);
    return font;
}

QFont HalfWidthLatinFont(const QFont &font) {
    QFont narrower = font;
    // A small Latin monospace face before the CJK one: the units hold Latin
    // letters only, and it spares loading another large CJK font at start-up.
    narrower.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                          QStringLiteral("DejaVu Sans Mono"),
                          QStringLiteral("Noto Sans Mono CJK SC")});
    return narrower;
}
