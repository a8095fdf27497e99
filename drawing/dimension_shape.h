#pragma once

#include "drawing_model.h"

#include <array>
#include <vector>

// What a dimension looks like: extension and dimension lines, filled
// arrowheads and its text, in model units. The DXF file keeps it as the
// dimension's picture block; the SVG draws it.
struct DimensionShape {
    std::vector<Line> lines;
    std::vector<std::array<Point, 3>> arrows;
    Text text;
};

DimensionShape ShapeOf(const Dimension &dimension, const Drawing &drawing);

// The length a CAD program measures for the dimension.
double MeasuredLength(const Dimension &dimension);
