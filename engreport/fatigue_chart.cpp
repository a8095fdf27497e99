#include "fatigue_chart.h"

#include "finite_or_zero.h"

#include <algorithm>
#include <cmath>

namespace {

// The limit line's value at tauMin, linear between its points; nothing
// outside the line.
std::optional<double> LimitAt(const std::vector<FatigueDiagramPoint> &line, double tauMin) {
    for (std::size_t i = 1; i < line.size(); ++i) {
        const FatigueDiagramPoint &a = line[i - 1];
        const FatigueDiagramPoint &b = line[i];
        if (tauMin < a.tauMin || tauMin > b.tauMin) {
            continue;
        }
        if (b.tauMin == a.tauMin) {
            return std::min(a.tauMax, b.tauMax);
        }
        return a.tauMax + (tauMin - a.tauMin) / (b.tauMin - a.tauMin) * (b.tauMax - a.tauMax);
    }
    return std::nullopt;
}

} // namespace

FatigueChart MapFatigue(const FatigueDiagram &diagram, const ChartFrame &frame) {
    const double tauMin = FiniteOrZero(diagram.working.tauMin);
    const double tauMax = FiniteOrZero(diagram.working.tauMax);
    double highest = std::max(tauMin, tauMax);
    for (const FatigueDiagramPoint &point : diagram.limitLine) {
        highest = std::max({highest, FiniteOrZero(point.tauMin), FiniteOrZero(point.tauMax)});
    }

    FatigueChart chart;
    chart.axis = RoundAxis(0.0, highest, 6);
    // One scale for both directions: the frame's shorter side decides it.
    const double side = std::min(frame.width, frame.height);
    chart.x = MapAxis(chart.axis, frame.left, frame.left + side);
    chart.y = MapAxis(chart.axis, frame.bottom(), frame.bottom() - side);

    for (const FatigueDiagramPoint &point : diagram.limitLine) {
        chart.limitLine.push_back(
            {chart.x(FiniteOrZero(point.tauMin)), chart.y(FiniteOrZero(point.tauMax))});
    }
    chart.rangeBottom = {chart.x(tauMin), chart.y(tauMin)};
    chart.working = {chart.x(tauMin), chart.y(tauMax)};
    chart.permissibleAtWorking = LimitAt(diagram.limitLine, tauMin);
    if (chart.permissibleAtWorking) {
        chart.permissible = ChartPoint{chart.x(tauMin), chart.y(*chart.permissibleAtWorking)};
    }
    return chart;
}
