#pragma once

#include "chart_axis.h"
#include "chart_frame.h"
#include "spring_design.h"

#include <array>
#include <optional>

// A height and load of the spring with its place in the diagram.
struct LoadPoint {
    double height = 0.0; // mm
    double load = 0.0;   // N
    ChartPoint at;
};

// The load-deflection diagram of a completed design: load over height, the
// deflection growing to the right (a compression spring's height axis runs
// from the free height leftmost down to the solid height, an extension
// spring's from the free height up).
struct LoadDeflectionChart {
    ChartAxis heightAxis; // mm, horizontal
    ChartAxis loadAxis;   // N, vertical, from 0
    LinearMap x;          // height to x
    LinearMap y;          // load to y
    LoadPoint lineStart;  // the free height, at zero load or the initial tension
    LoadPoint lineEnd;    // the solid height, or beyond the largest extension
    std::array<LoadPoint, 3> working;
    LoadPoint free;                 // H0
    std::optional<LoadPoint> solid; // Hb, compression only
};

LoadDeflectionChart MapLoadDeflection(const SpringDesign &design, SpringTypeSign typeSign,
                                      const ChartFrame &frame);
