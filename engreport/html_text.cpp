#include "html_text.h"

#include <cstdint>

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

// The length of the well-formed UTF-8 sequence at text[i] and its code point,
// or 0 when the bytes there are not one.
std::size_t DecodeOne(std::string_view text, std::size_t i, char32_t &code) {
    const auto byte = [&](std::size_t k) { return static_cast<std::uint8_t>(text[i + k]); };
    const std::uint8_t lead = byte(0);
    std::size_t length = 0;
    char32_t lowest = 0;
    if (lead < 0x80) {
        code = lead;
        return 1;
    }
    if ((lead & 0xE0) == 0xC0) {
        length = 2;
        code = lead & 0x1F;
        lowest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3;
        code = lead & 0x0F;
        lowest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4;
        code = lead & 0x07;
        lowest = 0x10000;
    } else {
        return 0;
    }
    if (i + length > text.size()) {
        return 0;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(k) & 0xC0) != 0x80) {
            return 0;
        }
        code = (code << 6) | (byte(k) & 0x3F);
    }
    const bool surrogate = code >= 0xD800 && code <= 0xDFFF;
    return code < lowest || code > 0x10FFFF || surrogate ? 0 : length;
}

bool XmlAllows(char32_t code) {
    if (code < 0x20) {
        return code == '\t' || code == '\n';
    }
    return !(code >= 0x7F && code <= 0x9F) && code != 0xFFFE && code != 0xFFFF;
}

} // namespace

std::string EscapeHtml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const std::size_t length = DecodeOne(text, i, code);
        if (length == 0) {
            out += kReplacement;
            ++i;
            continue;
        }
        if (!XmlAllows(code)) {
            out += kReplacement;
        } else if (code == '&') {
            out += "&amp;";
        } else if (code == '<') {
            out += "&lt;";
        } else if (code == '>') {
            out += "&gt;";
        } else if (code == '"') {
            out += "&quot;";
        } else if (code == '\'') {
            out += "&#39;";
        } else {
            out.append(text.substr(i, length));
        }
        i += length;
    }
    return out;
}
