#include "dxf_writer.h"

#include "gbk_bytes.h"

#include <cstdio>
#include <map>

namespace {

// The code point of the UTF-8 sequence text[i .. i + length).
char32_t CodePoint(std::string_view text, std::size_t i, std::size_t length) {
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[i + k]); };
    if (length == 2) {
        return (char32_t{byte(0)} & 0x1F) << 6 | (byte(1) & 0x3F);
    }
    if (length == 3) {
        return (char32_t{byte(0)} & 0x0F) << 12 | (char32_t{byte(1)} & 0x3F) << 6 |
               (byte(2) & 0x3F);
    }
    return (char32_t{byte(0)} & 0x07) << 18 | (char32_t{byte(1)} & 0x3F) << 12 |
           (char32_t{byte(2)} & 0x3F) << 6 | (byte(3) & 0x3F);
}

} // namespace

std::string DxfCodePage936(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::map<std::string_view, std::string> known; // the few distinct characters of a drawing
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        if (lead < 0x80) {
            out += static_cast<char>(lead);
            ++i;
            continue;
        }
        std::size_t length = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : 2;
        length = std::min(length, utf8.size() - i);
        const std::string_view character = utf8.substr(i, length);
        auto found = known.find(character);
        if (found == known.end()) {
            const std::optional<std::string> gbk = GbkBytesOf(character);
            std::string written = gbk ? *gbk : "?";
            const char32_t code = length >= 2 ? CodePoint(utf8, i, length) : 0;
            if (!gbk && code > 0 && code <= 0xFFFF) {
                char escape[16];
                std::snprintf(escape, sizeof escape, "\\U+%04X", static_cast<unsigned>(code));
                written = escape;
            }
            found = known.emplace(character, std::move(written)).first;
        }
        out += found->second;
        i += length;
    }
    return out;
}
