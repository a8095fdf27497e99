#pragma once

// The plotting area of a diagram in drawing units (SVG user units, y down).
struct ChartFrame {
    double left = 0.0;
    double top = 0.0;
    double width = 100.0;
    double height = 100.0;
    double right() const { return left + width; }
    double bottom() const { return top + height; }
};

struct ChartPoint {
    double x = 0.0;
    double y = 0.0;
};
