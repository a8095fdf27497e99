#include "display_width.h"

namespace {

bool Wide(char32_t c) {
    return (c >= 0x1100 && c <= 0x115F) || (c >= 0x2E80 && c <= 0xA4CF) ||
           (c >= 0xAC00 && c <= 0xD7A3) || (c >= 0xF900 && c <= 0xFAFF) ||
           (c >= 0xFE30 && c <= 0xFE4F) || (c >= 0xFF00 && c <= 0xFF60) ||
           (c >= 0xFFE0 && c <= 0xFFE6) || (c >= 0x20000 && c <= 0x3FFFD);
}

} // namespace

std::size_t DisplayWidth(std::string_view text) {
    std::size_t width = 0;
    for (std::size_t i = 0; i < text.size();) {
        const auto lead = static_cast<unsigned char>(text[i]);
        std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length && i + k < text.size(); ++k) {
            c = (c << 6) | (static_cast<unsigned char>(text[i + k]) & 0x3F);
        }
        width += Wide(c) ? 2 : 1;
        i += length;
    }
    return width;
}

std::string PadRight(std::string_view text, std::size_t width) {
    const std::size_t has = DisplayWidth(text);
    return std::string(text) + std::string(has < width ? width - has : 0, ' ');
}

std::string PadLeft(std::string_view text, std::size_t width) {
    const std::size_t has = DisplayWidth(text);
    return std::string(has < width ? width - has : 0, ' ') + std::string(text);
}
