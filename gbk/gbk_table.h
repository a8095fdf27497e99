#pragma once

#include <cstdint>

// The GBK table orsela-gbk-table writes (gbk_table.cpp in the build folder).
// kGbkCharacterOfCode: the character of each two-byte code, lead byte
// 0x81-0xFE and trail byte 0x40-0xFE, at (lead - 0x81) * 191 + trail - 0x40;
// 0 where the code has none.
inline constexpr int kGbkLeadFirst = 0x81;
inline constexpr int kGbkTrailFirst = 0x40;
inline constexpr int kGbkTrailCount = 0xFF - kGbkTrailFirst;
inline constexpr int kGbkTableSize = (0xFF - kGbkLeadFirst) * kGbkTrailCount;
extern const std::uint16_t kGbkCharacterOfCode[kGbkTableSize];

// Characters whose code the table cannot hold: a one-byte code above ASCII,
// or a code another character already holds. Ends with {0, 0}.
struct GbkExtraCode {
    std::uint16_t character;
    std::uint16_t code; // one byte, or lead << 8 | trail
};
extern const GbkExtraCode kGbkExtraCodes[];
