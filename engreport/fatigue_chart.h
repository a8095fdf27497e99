#pragma once

#include "chart_axis.h"
#include "chart_frame.h"
#include "run_checks.h"

#include <optional>
#include <vector>

// The fatigue diagram: the largest over the smallest shear stress of a cycle,
// both axes on one scale so that the line tau_max = tau_min (no stress range)
// runs at 45 degrees.
struct FatigueChart {
    ChartAxis axis; // MPa, both directions, from 0
    LinearMap x;    // tau_min to x
    LinearMap y;    // tau_max to y
    std::vector<ChartPoint> limitLine;
    ChartPoint rangeBottom;                     // (tau_min, tau_min): the working range starts here
    ChartPoint working;                         // (tau_min, tau_max)
    std::optional<double> permissibleAtWorking; // the limit line's tau_max at tau_min, MPa
    std::optional<ChartPoint> permissible;      // and its place
};

FatigueChart MapFatigue(const FatigueDiagram &diagram, const ChartFrame &frame);
