#include "dxf_writer.h"

#include "gbk_bytes.h"
#include "utf8_text.h"

#include <cstdio>
#include <map>

namespace {

std::string UnicodeEscape(unsigned unit) {
    char escape[16];
    std::snprintf(escape, sizeof escape, "\\U+%04X", unit);
    return escape;
}

// A character GBK lacks, as AutoCAD writes it: "\U+XXXX", a character
// beyond the BMP as its two UTF-16 halves, since the escape holds four
// hex digits.
std::string EscapedCharacter(char32_t code) {
    if (code <= 0xFFFF) {
        return UnicodeEscape(code);
    }
    const char32_t offset = code - 0x10000;
    return UnicodeEscape(0xD800 + (offset >> 10)) + UnicodeEscape(0xDC00 + (offset & 0x3FF));
}

} // namespace

std::string DxfCodePage936(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    std::map<char32_t, std::string> known; // the few distinct characters of a drawing
    for (std::size_t i = 0; i < utf8.size();) {
        char32_t code = 0;
        const std::size_t length = Utf8SequenceAt(utf8, i, code);
        if (length == 0) {
            // Not UTF-8: one byte stands for itself as "?", so that the
            // line break of the next group code is never taken with it.
            out += '?';
            ++i;
            continue;
        }
        if (code < 0x80) {
            out += static_cast<char>(code);
            i += length;
            continue;
        }
        auto found = known.find(code);
        if (found == known.end()) {
            const std::optional<std::string> gbk = GbkBytesOf(utf8.substr(i, length));
            found = known.emplace(code, gbk ? *gbk : EscapedCharacter(code)).first;
        }
        out += found->second;
        i += length;
    }
    return out;
}
