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
