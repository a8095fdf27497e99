#include "form_fonts.h"

#include <QFontDatabase>
#include <QStringList>

#include <initializer_list>
#include <iterator>

namespace {

// The embedded faces are registered once, on first use.
void RegisterEmbeddedFaces() {
    static const bool registered = [] {
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/orsela-serif.ttf"));
        QFontDatabase::addApplicationFont(QStringLiteral(":/fonts/orsela-title.ttf"));
        return true;
    }();
    (void)registered;
}

// The first of the faces that is installed, the last one else. One family
// only: Qt then asks fontconfig for the fallbacks of a face when a character is
// missing from it, not for every font engine it makes.
QString FirstInstalled(std::initializer_list<QString> names) {
    const QStringList installed = QFontDatabase::families();
    for (const QString &name : names) {
        if (installed.contains(name)) {
            return name;
        }
    }
    return *std::prev(names.end());
}

// The font of one of these families. The embedded faces have TrueType
// outlines without hinting instructions: hinted, FreeType would run its
// auto-hinter over every glyph, which costs more time than it shows at these
// sizes. A system face is drawn as the system draws it.
QFont FontOfFamily(const QString &family, const char *embeddedFamily) {
    QFont font;
    font.setFamily(family);
    if (family == QString::fromUtf8(embeddedFamily)) {
        font.setHintingPreference(QFont::PreferNoHinting);
    }
    return font;
}

} // namespace

QFont WindowFont() {
    RegisterEmbeddedFaces();
    QFont font = FontOfFamily(FirstInstalled({QStringLiteral("宋体"), QStringLiteral("SimSun"),
                                              QString::fromUtf8(kEmbeddedSerifFamily)}),
                              kEmbeddedSerifFamily);
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(10.5);
    font.setWeight(QFont::Normal);
    return font;
}

QFont TitleFont() {
    RegisterEmbeddedFaces();
    QFont font = FontOfFamily(FirstInstalled({QStringLiteral("幼圆"), QStringLiteral("YouYuan"),
                                              QString::fromUtf8(kEmbeddedTitleFamily)}),
                              kEmbeddedTitleFamily);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(15.0);
    font.setWeight(QFont::Bold);
    return font;
}
