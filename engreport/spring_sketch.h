#pragma once

#include "chart_frame.h"
#include "spring_design.h"

#include <vector>

// The simplified drawing of the spring in the conventional style of spring
// drawings: the axis horizontal, the wire cut in section at the top and the
// bottom of the coils, straight outline lines between the sections, and only
// the end coils drawn when there are many, the omitted ones shown by centre
// lines through the sections. Drawn to one scale in both directions.
struct SketchCircle {
    ChartPoint centre;
    double radius = 0.0;
};
struct SketchLine {
    ChartPoint from;
    ChartPoint to;
};

struct SpringSketch {
    double scale = 1.0; // drawing units per mm
    std::vector<SketchCircle> sections;
    std::vector<SketchLine> outline;
    std::vector<SketchLine> centreLines; // the axis and the omitted coils
    std::vector<SketchCircle> hookLoops; // extension: the loops' inner and outer edges
    double startX = 0.0;                 // the free height's ends
    double endX = 0.0;
    double axisY = 0.0;
    double topRowY = 0.0; // the mean diameter's ends
    double bottomRowY = 0.0;
    double outerTopY = 0.0; // the outer diameter's ends
    double outerBottomY = 0.0;
};

SpringSketch MapSpringSketch(const SpringDesign &design, SpringTypeSign typeSign,
                             const ChartFrame &frame);
