#include "text_box.h"

#include "text_measure.h"

#include <algorithm>
#include <cmath>

TextBox BoxOfText(const Text &text) {
    const double width = TextWidth(text.content, text.height);
    const double start = text.align == TextAlign::Left     ? 0.0
                         : text.align == TextAlign::Centre ? -width / 2.0
                                                           : -width;
    if (std::fabs(text.degrees - 90.0) < 1e-9) {
        return {text.at.x - text.height, text.at.y + start, text.at.x, text.at.y + start + width};
    }
    return {text.at.x + start, text.at.y, text.at.x + start + width, text.at.y + text.height};
}

// Liang–Barsky: the part of the segment inside the box's slabs.
bool SegmentMeetsBox(Point a, Point b, const TextBox &box) {
    double enter = 0.0;
    double leave = 1.0;
    const double dx = b.x - a.x;
    const double dy = b.y - a.y;
    const double p[] = {-dx, dx, -dy, dy};
    const double q[] = {a.x - box.left, box.right - a.x, a.y - box.bottom, box.top - a.y};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] <= 0.0) {
                return false;
            }
            continue;
        }
        const double t = q[i] / p[i];
        if (p[i] < 0.0) {
            enter = std::max(enter, t);
        } else {
            leave = std::min(leave, t);
        }
    }
    return enter < leave;
}

bool BoxesMeet(const TextBox &a, const TextBox &b) {
    return a.left < b.right && b.left < a.right && a.bottom < b.top && b.bottom < a.top;
}
