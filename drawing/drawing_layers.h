#pragma once

#include "drawing_model.h"

#include <span>
#include <string>
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

// The text style of every text and its TrueType fallback for programs
// without the SHX fonts.
inline constexpr const char *kTextStyleName = "GB";
inline constexpr const char *kTextFont = "gbenor.shx";
inline constexpr const char *kTextBigFont = "gbcbig.shx";
inline constexpr const char *kFallbackStyleName = "GB_TTF";
inline constexpr const char *kFallbackFontFile = "simsun.ttc";
inline constexpr const char *kFallbackFontFamily = "宋体";
