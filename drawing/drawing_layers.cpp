#include "drawing_layers.h"

namespace {

// Layer numbers and screen colours after GB/T 14665 (01 thick continuous
// white, 02 thin continuous green, 05 thin dash-dot red, 08 dimensions,
// 10 section hatching, 11 text); line widths after GB/T 4457.4 with the
// thick line 0.5 mm and the thin line half of it.
const LayerStyle kLayers[] = {
    {Layer::Thick, "01粗实线", 7, "Continuous", 50, 0.5},
    {Layer::Thin, "02细实线", 3, "Continuous", 25, 0.25},
    {Layer::Centre, "05细点画线", 1, "CENTER", 25, 0.25},
    {Layer::Dimension, "08尺寸线", 3, "Continuous", 25, 0.25},
    {Layer::Hatch, "10剖面符号", 3, "Continuous", 25, 0.25},
    {Layer::Text, "11文本", 3, "Continuous", 25, 0.25},
};

// The long-dashed dotted line of GB/T 17450 for the thin line width
// d = 0.25 mm: long dash 24d, gap 3d, dot 0.5d, gap 3d. Named as CAD
// programs name their centre line, so that one without the pattern (LibreCAD
// keeps its own) still draws a centre line.
const LinetypeStyle kLinetypes[] = {
    {"CENTER", "细点画线 ____ . ____ . ____", {6.0, -0.75, 0.125, -0.75}},
};

} // namespace

std::span<const LayerStyle> LayerStyles() {
    return kLayers;
}

const LayerStyle &StyleOf(Layer layer) {
    for (const LayerStyle &style : kLayers) {
        if (style.layer == layer) {
            return style;
        }
    }
    return kLayers[0];
}

std::span<const LinetypeStyle> LinetypeStyles() {
    return kLinetypes;
}

bool HoldsChinese(std::string_view text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
        const auto lead = static_cast<unsigned char>(text[i]);
        if (lead >= 0xF0) {
            return true; // beyond the first plane: the ideograph extensions
        }
        if (lead >= 0xE0 && i + 1 < text.size()) {
            const unsigned point =
                (lead & 0x0Fu) << 12 | (static_cast<unsigned char>(text[i + 1]) & 0x3Fu) << 6;
            if (point >= 0x2E80) {
                return true;
            }
        }
    }
    return false;
}
