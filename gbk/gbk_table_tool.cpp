// Writes the GBK table of the web page as C++ source, from the converter the
// desktop program writes its report with, so that both write the same bytes.
//
// The table maps each two-byte GBK code (lead 0x81-0xFE, trail 0x40-0xFE) to
// its character; a character that shares a code with another, and a
// non-ASCII character with a one-byte code, go to a short list beside it.
#include "gbk_converter.h"
#include "gbk_table.h"
#include "utf8_text.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kLeadFirst = kGbkLeadFirst;
constexpr int kTrailFirst = kGbkTrailFirst;
constexpr int kTrailCount = kGbkTrailCount;
constexpr int kTableSize = kGbkTableSize;

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: orsela-gbk-table OUTPUT.cpp\n");
        return 2;
    }
    std::vector<std::uint16_t> table(kTableSize, 0);
    std::vector<std::pair<std::uint16_t, std::uint16_t>> extra; // character, code
    for (char32_t c = 0x80; c <= 0xFFFF; ++c) {
        if (c >= 0xD800 && c <= 0xDFFF) {
            continue; // surrogates are no characters
        }
        // After a letter, as in the report: at the start of a text the
        // converter drops a byte-order mark instead of refusing it.
        GbkText gbk = EncodeGbk("a" + Utf8OfCodePoint(c));
        if (!gbk.ok) {
            if (!gbk.unencodable) {
                std::fprintf(stderr, "orsela-gbk-table: no GBK converter\n");
                return 1;
            }
            continue;
        }
        gbk.bytes.erase(0, 1);
        const auto *bytes = reinterpret_cast<const unsigned char *>(gbk.bytes.data());
        if (gbk.bytes.size() == 1) {
            extra.emplace_back(static_cast<std::uint16_t>(c), bytes[0]);
            continue;
        }
        if (gbk.bytes.size() != 2 || bytes[0] < kLeadFirst || bytes[0] == 0xFF ||
            bytes[1] < kTrailFirst || bytes[1] == 0xFF) {
            std::fprintf(stderr, "orsela-gbk-table: U+%04X has an unexpected code\n",
                         static_cast<unsigned>(c));
            return 1;
        }
        const int slot = (bytes[0] - kLeadFirst) * kTrailCount + (bytes[1] - kTrailFirst);
        if (table[static_cast<std::size_t>(slot)] != 0) {
            extra.emplace_back(static_cast<std::uint16_t>(c),
                               static_cast<std::uint16_t>(bytes[0] << 8 | bytes[1]));
        } else {
            table[static_cast<std::size_t>(slot)] = static_cast<std::uint16_t>(c);
        }
    }

    std::FILE *out = std::fopen(argv[1], "w");
    if (out == nullptr) {
        std::perror(argv[1]);
        return 1;
    }
    std::fprintf(out, "// Written by orsela-gbk-table; do not edit.\n"
                      "#include \"gbk_table.h\"\n\n"
                      "const std::uint16_t kGbkCharacterOfCode[kGbkTableSize] = {");
    for (int i = 0; i < kTableSize; ++i) {
        std::fprintf(out, "%s%u,", i % 16 == 0 ? "\n" : "", table[static_cast<std::size_t>(i)]);
    }
    std::fprintf(out, "\n};\n\nconst GbkExtraCode kGbkExtraCodes[] = {");
    for (const auto &[character, code] : extra) {
        std::fprintf(out, "\n{%u, %u},", character, code);
    }
    std::fprintf(out, "\n{0, 0}};\n");
    return std::fclose(out) == 0 ? 0 : 1;
}
