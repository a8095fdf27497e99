#pragma once

#include <string>
#include <vector>

// One axis of a diagram: the value range it shows and its round-number ticks
// (1, 2 or 5 times a power of ten), the first tick at lo and the last at hi.
struct ChartAxis {
    double lo = 0.0;
    double hi = 1.0;
    double step = 1.0;
    std::vector<double> ticks; // ascending
};

// The smallest round-number axis that covers every value from lo to hi with at
// most maxIntervals steps. An empty or non-finite range still gives a usable
// axis, so a degenerate design draws instead of failing.
ChartAxis RoundAxis(double lo, double hi, int maxIntervals = 6);

// A tick's label with as many decimals as the step needs: 20, 2.5, 0.05.
std::string TickLabel(double value, double step);

// Value to drawing coordinate, linear; pixelLo may be greater than pixelHi
// (the vertical axis grows upward, a height axis may grow to the left).
struct LinearMap {
    double valueLo = 0.0;
    double valueHi = 1.0;
    double pixelLo = 0.0;
    double pixelHi = 1.0;
    double operator()(double value) const;
};

LinearMap MapAxis(const ChartAxis &axis, double pixelLo, double pixelHi);
