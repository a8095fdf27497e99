#include "disabled_text_contrast.h"

#include <algorithm>
#include <cmath>

namespace {

double Linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor &colour) {
    const QColor rgb = colour.toRgb();
    return 0.2126 * Linear(rgb.redF()) + 0.7152 * Linear(rgb.greenF()) +
           0.0722 * Linear(rgb.blueF());
}

} // namespace

double ContrastRatio(const QColor &a, const QColor &b) {
    const double la = Luminance(a);
    const double lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QPalette WithReadableDisabledText(QPalette palette) {
    const QColor background = palette.color(QPalette::Disabled, QPalette::Base);
    QColor text = palette.color(QPalette::Disabled, QPalette::Text);
    // Towards black on a light background, towards white on a dark one, in
    // small steps, so that the text stays as grey as the contrast allows.
    const bool lightBackground = Luminance(background) > 0.18;
    for (int step = 0; step < 64 && ContrastRatio(text, background) < kDisabledTextContrast;
         ++step) {
        text = lightBackground ? text.darker(105) : text.lighter(105);
        if (!lightBackground && text.value() == 0) {
            text = QColor(8, 8, 8); // lighter() cannot leave pure black
        }
    }
    palette.setColor(QPalette::Disabled, QPalette::Text, text);
    return palette;
}
