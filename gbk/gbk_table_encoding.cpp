#include "gbk_table_encoding.h"

#include "gbk_table.h"

#include <vector>

namespace {

// Character to code for the whole of the BMP, built once from the table.
const std::vector<std::uint16_t> &CodeOfCharacter() {
    static const std::vector<std::uint16_t> codes = [] {
        std::vector<std::uint16_t> result(0x10000, 0);
        for (int slot = 0; slot < kGbkTableSize; ++slot) {
            if (const std::uint16_t c = kGbkCharacterOfCode[slot]; c != 0) {
                const int lead = kGbkLeadFirst + slot / kGbkTrailCount;
                const int trail = kGbkTrailFirst + slot % kGbkTrailCount;
                result[c] = static_cast<std::uint16_t>(lead << 8 | trail);
            }
        }
        for (const GbkExtraCode *e = kGbkExtraCodes; e->character != 0; ++e) {
            result[e->character] = e->code;
        }
        return result;
    }();
    return codes;
}

// The next character of valid UTF-8 (as the model's strings are), or
// U+FFFD for a broken sequence, which GBK has no code for either.
char32_t NextCharacter(std::string_view utf8, std::size_t &at) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(utf8[i]); };
    const unsigned char first = byte(at);
    int length = first < 0x80 ? 1 : first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 0;
    if (length == 0 || at + static_cast<std::size_t>(length) > utf8.size()) {
        ++at;
        return 0xFFFD;
    }
    char32_t c = length == 1 ? first : first & (0xFF >> (length + 1));
    for (int i = 1; i < length; ++i) {
        const unsigned char next = byte(at + static_cast<std::size_t>(i));
        if ((next & 0xC0) != 0x80) {
            ++at;
            return 0xFFFD;
        }
        c = c << 6 | (next & 0x3F);
    }
    at += static_cast<std::size_t>(length);
    return c;
}

} // namespace

GbkTableText EncodeGbkByTable(std::string_view utf8) {
    GbkTableText result;
    const std::vector<std::uint16_t> &codes = CodeOfCharacter();
    for (std::size_t at = 0; at < utf8.size();) {
        const char32_t c = NextCharacter(utf8, at);
        if (c < 0x80) {
            result.bytes.push_back(static_cast<char>(c));
            continue;
        }
        const std::uint16_t code = c <= 0xFFFF ? codes[c] : 0;
        if (code == 0) {
            result.bytes.clear();
            result.unencodable = c;
            return result;
        }
        if (code > 0xFF) {
            result.bytes.push_back(static_cast<char>(code >> 8));
        }
        result.bytes.push_back(static_cast<char>(code & 0xFF));
    }
    result.ok = true;
    return result;
}
