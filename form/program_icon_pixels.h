#pragma once

#include <cstdint>

// One size of the program icon as 32-bit 0xAARRGGBB values, row by row.
struct IconPixels {
    int width;
    int height;
    const std::uint32_t *argb;
};

// 16, 32 and 48 pixels, written at build time from icons/orsela-*.png.
inline constexpr int kProgramIconSizes = 3;
extern const IconPixels kProgramIconPixels[kProgramIconSizes];
