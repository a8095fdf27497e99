#pragma once

#include "drawing_model.h"

// The paper a level or upright text covers, in model units.
struct TextBox {
    double left, bottom, right, top;
};
TextBox BoxOfText(const Text &text);

// Whether the segment from a to b passes through the box (touching its edge
// does not count).
bool SegmentMeetsBox(Point a, Point b, const TextBox &box);

// Whether two boxes overlap.
bool BoxesMeet(const TextBox &a, const TextBox &b);
