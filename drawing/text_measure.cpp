#include "text_measure.h"

namespace {

// The byte length of the UTF-8 character starting at text[i].
std::size_t CharacterLength(std::string_view text, std::size_t i) {
    const auto lead = static_cast<unsigned char>(text[i]);
    std::size_t length = lead < 0x80 ? 1 : lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
    return i + length <= text.size() ? length : text.size() - i;
}

double CharacterWidth(std::string_view character, double height) {
    // Three-byte and longer characters are CJK and punctuation; the two-byte
    // ones here are Greek letters and signs as narrow as Latin.
    return character.size() >= 3 ? height : 0.7 * height;
}

bool NoLineStart(std::string_view character) {
    return character == "，" || character == "。" || character == "、" || character == "；" ||
           character == "：" || character == "）";
}

// "k = 23.032" is one unit: a line never starts or ends at an equals sign.
// The units are views into one text, so the glued unit is a view too.
std::vector<std::string_view> KeepEqualsTogether(const std::vector<std::string_view> &units,
                                                 double height, double maxWidth);

} // namespace

double TextWidth(std::string_view text, double height) {
    double width = 0.0;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = CharacterLength(text, i);
        width += CharacterWidth(text.substr(i, length), height);
        i += length;
    }
    return width;
}

std::vector<std::string> WrapText(std::string_view text, double height, double maxWidth) {
    // Units that stay whole: one wide character, a space, or a word of
    // Latin letters and digits ("23.032", "GB/T").
    std::vector<std::string_view> units;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t length = CharacterLength(text, i);
        if (length == 1 && text[i] != ' ') {
            while (i + length < text.size() && text[i + length] != ' ' &&
                   static_cast<unsigned char>(text[i + length]) < 0x80) {
                ++length;
            }
        }
        const std::string_view unit = text.substr(i, length);
        if (length > 1 && static_cast<unsigned char>(unit[0]) < 0x80 &&
            TextWidth(unit, height) > maxWidth) {
            // A word longer than the line (a material typed without spaces)
            // breaks between its characters rather than run off the sheet.
            for (std::size_t k = 0; k < unit.size(); ++k) {
                units.push_back(unit.substr(k, 1));
            }
        } else {
            units.push_back(unit);
        }
        i += length;
    }
    units = KeepEqualsTogether(units, height, maxWidth);
    std::vector<std::string> lines;
    std::string line;
    double width = 0.0;
    for (const std::string_view unit : units) {
        const double w = TextWidth(unit, height);
        if (!line.empty() && width + w > maxWidth && !NoLineStart(unit)) {
            lines.push_back(line);
            line.clear();
            width = 0.0;
            if (unit == " ") {
                continue;
            }
        }
        line += unit;
        width += w;
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

namespace {

std::vector<std::string_view> KeepEqualsTogether(const std::vector<std::string_view> &units,
                                                 double height, double maxWidth) {
    std::vector<std::string_view> kept;
    for (std::size_t i = 0; i < units.size(); ++i) {
        if (units[i] == "=" && kept.size() >= 2 && kept.back() == " " && i + 2 < units.size() &&
            units[i + 1] == " " && kept[kept.size() - 2] != " ") {
            const std::string_view before = kept[kept.size() - 2];
            const std::string_view after = units[i + 2];
            const std::string_view glued(
                before.data(),
                static_cast<std::size_t>(after.data() + after.size() - before.data()));
            if (TextWidth(glued, height) <= maxWidth) {
                kept.resize(kept.size() - 2);
                kept.push_back(glued);
                i += 2;
                continue;
            }
        }
        kept.push_back(units[i]);
    }
    return kept;
}

} // namespace
