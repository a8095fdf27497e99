#include "form_fonts.h"

#include <QFontDatabase>
#include <QStringList>

namespace {

// The embedded faces are registered once, on first use.
void RegisterEmbeddedFaces() {
    static const bool registered = [] {
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/orsela-serif.otf"));
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/orsela-title.otf"));
        return true;
    }();
    (void)registered;
}

} // namespace

QFont WindowFont() {
    RegisterEmbeddedFaces();
    QFont font;
    font.setFamilies({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                      QString::fromUtf8(kEmbeddedSerifFamily), QStringLiteral("Noto Serif CJK SC"),
                      QStringLiteral("Noto Sans CJK SC")});
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(10.5);
    font.setWeight(QFont::Normal);
    return font;
}

QFont TitleFont() {
    RegisterEmbeddedFaces();
    QFont font;
    font.setFamilies({QStringLiteral("幼圆"), QStringLiteral("YouYuan"),
                      QString::fromUtf8(kEmbeddedTitleFamily), QStringLiteral("Noto Sans CJK SC")});
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(15.0);
    font.setWeight(QFont::Bold);
    return font;
}
