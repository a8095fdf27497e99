#pragma once

#include "drawing_model.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

// How a layer is drawn in CAD and on paper.
struct LayerStyle {
    Layer layer;
    const char *name;     // the layer's name in the file
    int colour;           // AutoCAD colour index
    const char *linetype; // "Continuous" or a pattern of LinetypeStyles()
    int lineweight;       // 1/100 mm
    double paperWidth;    // mm, for the SVG
};

// A dash pattern: positive lengths draw, negative ones are gaps, 0 is a dot;
// lengths in paper mm.
struct LinetypeStyle {
    const char *name;
    const char *description;
    std::vector<double> pattern;
};

std::span<const LayerStyle> LayerStyles();
const LayerStyle &StyleOf(Layer layer);
std::span<const LinetypeStyle> LinetypeStyles();

// The text styles. Letters and digits take the SHX fonts of Chinese CAD
// practice; a text holding Chinese characters takes the TrueType style, as a
// program without gbcbig.shx (most viewers, ezdxf) can still draw it: 仿宋
// (FangSong, simfang.ttf) is on every Chinese office's Windows, and at the
// width factor 0.7 it is the long FangSong of GB/T 14691 (width h/√2).
inline constexpr const char *kTextStyleName = "GB";
inline constexpr const char *kTextFont = "gbenor.shx";
inline constexpr const char *kTextBigFont = "gbcbig.shx";
inline constexpr const char *kFallbackStyleName = "GB_TTF";
inline constexpr const char *kFallbackFontFile = "simfang.ttf";
inline constexpr const char *kFallbackFontFamily = "仿宋";
inline constexpr double kFallbackWidthFactor = 0.7;

// Whether a text holds a character of the CJK blocks (U+2E80 onwards: CJK
// punctuation, ideographs, full-width forms), which gbenor.shx lacks.
bool HoldsChinese(std::string_view text);
