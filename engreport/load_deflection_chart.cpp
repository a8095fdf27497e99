#include "load_deflection_chart.h"

#include "finite_or_zero.h"

#include <algorithm>
#include <cmath>

LoadDeflectionChart MapLoadDeflection(const SpringDesign &design, SpringTypeSign typeSign,
                                      const ChartFrame &frame) {
    const bool compression = typeSign == kCompressionSpring;
    const double rate = FiniteOrZero(design.SpringRate);
    const double h0 = FiniteOrZero(design.FreeHeight);
    const std::array<double, 3> heights = {FiniteOrZero(design.WorkingHeight1),
                                           FiniteOrZero(design.WorkingHeight2),
                                           FiniteOrZero(design.WorkingHeight3)};
    const std::array<double, 3> loads = {FiniteOrZero(design.WorkingLoad1),
                                         FiniteOrZero(design.WorkingLoad2),
                                         FiniteOrZero(design.WorkingLoad3)};

    LoadDeflectionChart chart;
    chart.lineStart.height = h0;
    chart.lineStart.load = compression ? 0.0 : FiniteOrZero(design.InitialTension);
    if (compression) {
        const double hb = FiniteOrZero(design.SolidHeight);
        chart.lineEnd = {hb, rate * (h0 - hb), {}};
    } else {
        // The line runs a little past the largest working height.
        const double longest = std::max({h0, heights[0], heights[1], heights[2]});
        const double end = longest + std::max(0.1 * (longest - h0), 0.02 * std::max(1.0, h0));
        chart.lineEnd = {end, chart.lineStart.load + rate * (end - h0), {}};
    }

    double heightLo = std::min(chart.lineStart.height, chart.lineEnd.height);
    double heightHi = std::max(chart.lineStart.height, chart.lineEnd.height);
    double loadHi = std::max(chart.lineStart.load, chart.lineEnd.load);
    for (std::size_t i = 0; i < 3; ++i) {
        heightLo = std::min(heightLo, heights[i]);
        heightHi = std::max(heightHi, heights[i]);
        loadHi = std::max(loadHi, loads[i]);
    }
    chart.heightAxis = RoundAxis(heightLo, heightHi);
    chart.loadAxis = RoundAxis(0.0, loadHi);

    chart.x = compression ? MapAxis(chart.heightAxis, frame.right(), frame.left)
                          : MapAxis(chart.heightAxis, frame.left, frame.right());
    chart.y = MapAxis(chart.loadAxis, frame.bottom(), frame.top);

    const auto place = [&chart](LoadPoint &point) {
        point.at = {chart.x(point.height), chart.y(point.load)};
    };
    place(chart.lineStart);
    place(chart.lineEnd);
    for (std::size_t i = 0; i < 3; ++i) {
        chart.working[i] = {heights[i], loads[i], {}};
        place(chart.working[i]);
    }
    chart.free = chart.lineStart;
    if (compression) {
        chart.solid = chart.lineEnd;
    }
    return chart;
}
