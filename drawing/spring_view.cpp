#include "spring_view.h"

#include "number_format.h"

#include <algorithm>
#include <cmath>

namespace {

// A guard against a near-zero pitch filling the drawing with sections.
constexpr std::size_t kMostSectionsConsidered = 400;
// Active coils beyond which the middle coils are left out (GB/T 4459.4).
constexpr float kMostCoilsDrawnWhole = 4.0F;
// A section this small on paper (mm) may be filled black instead of hatched
// (GB/T 4459.4, GB/T 4457.5).
constexpr double kSolidSectionOnPaper = 2.0;

struct Section {
    double along = 0.0; // from the left end
    bool top = false;
};

double Positive(double value) {
    return std::isfinite(value) && value > 0.0 ? value : 0.0;
}

void AddRow(std::vector<Section> &row, double first, double last, double pitch, bool top) {
    for (double along = first; along <= last + 1e-9 && row.size() < kMostSectionsConsidered;
         along += pitch) {
        row.push_back({along, top});
    }
}

// Adds a closed end coil's section unless one already stands there.
void AddEndSection(std::vector<Section> &row, double along, bool top, double wire) {
    const bool present = std::any_of(row.begin(), row.end(), [&](const Section &s) {
        return std::fabs(s.along - along) < wire * 0.5;
    });
    if (!present) {
        row.push_back({along, top});
    }
}

std::vector<Section> Kept(const std::vector<Section> &row, bool abbreviate) {
    if (!abbreviate || row.size() <= 4) {
        return row;
    }
    return {row[0], row[1], row[row.size() - 2], row[row.size() - 1]};
}

struct Wire {
    double d = 0.0;
    double mean = 0.0;
    double length = 0.0;
    double pitch = 0.0;
    double loop = 0.0; // the inner diameter of an extension spring's hook loop
};

Wire WireOf(const SpringDesign &design, SpringTypeSign typeSign) {
    Wire w;
    w.d = Positive(design.WireDiameter);
    w.mean = Positive(design.MeanDiameter);
    w.length = Positive(design.FreeHeight);
    w.pitch = std::max(Positive(design.Pitch), w.d > 0.0 ? w.d : 1.0);
    if (typeSign != kCompressionSpring) {
        w.loop = std::max(0.0, w.mean - w.d);
    }
    return w;
}

// d at the first top section, on a leader at 45 degrees up to the right, or
// up to the left (away from the body's middle).
void AddWireDimension(Drawing &drawing, const SpringDesign &design, const Wire &w,
                      const std::vector<Section> &keptTop, bool leftward) {
    const Point first{keptTop.front().along, w.mean / 2.0};
    const double lean = std::sqrt(0.5) * w.d / 2.0;
    const double side = leftward ? -1.0 : 1.0;
    drawing.dimensions.push_back({Dimension::Kind::Diameter,
                                  {first.x - side * lean, first.y - lean},
                                  {first.x + side * lean, first.y + lean},
                                  {},
                                  45.0,
                                  "⌀" + FormatGeneral(design.WireDiameter),
                                  design.WireDiameter,
                                  Part::View});
}

// H0 below, the outer diameter on the left, the mean diameter on the right
// (both as diameters of the coil), d at the first top section.
void AddCompressionDimensions(Drawing &drawing, const SpringDesign &design, const Wire &w,
                              const std::vector<Section> &keptTop,
                              const std::vector<Section> &keptBottom) {
    const double unit = 1.0 / drawing.scale;
    const double outer = (w.mean + w.d) / 2.0;
    const double rowUp = w.mean / 2.0;
    const double below = -outer - 10.0 * unit;
    drawing.dimensions.push_back({Dimension::Kind::Linear,
                                  {0.0, -outer},
                                  {w.length, -outer},
                                  {0.0, below},
                                  0.0,
                                  FormatOneDecimal(design.FreeHeight),
                                  design.FreeHeight,
                                  Part::View});
    const float outerDiameter = design.MeanDiameter + design.WireDiameter;
    drawing.dimensions.push_back({Dimension::Kind::Linear,
                                  {0.0, -outer},
                                  {0.0, outer},
                                  {-10.0 * unit, 0.0},
                                  90.0,
                                  "⌀" + FormatGeneral(outerDiameter),
                                  outerDiameter,
                                  Part::View});
    if (!keptTop.empty() && !keptBottom.empty()) {
        drawing.dimensions.push_back({Dimension::Kind::Linear,
                                      {keptBottom.back().along, -rowUp},
                                      {keptTop.back().along, rowUp},
                                      {w.length + 10.0 * unit, 0.0},
                                      90.0,
                                      "⌀" + FormatGeneral(design.MeanDiameter),
                                      design.MeanDiameter,
                                      Part::View});
        AddWireDimension(drawing, design, w, keptTop, false);
    }
}

// An extension spring's hook rings stand at both ends: the free length is
// dimensioned below from points clear of the rings, both diameters across
// the body where its middle coils are left out, so that no extension line
// crosses a ring.
void AddExtensionDimensions(Drawing &drawing, const SpringDesign &design, const Wire &w,
                            const std::vector<Section> &keptTop,
                            const std::vector<Section> &keptBottom) {
    const double unit = 1.0 / drawing.scale;
    const double outer = (w.mean + w.d) / 2.0;
    const double rowUp = w.mean / 2.0;
    // The rings' outer circles at the free length's ends, and a gap below them.
    const double ringEdge = std::sqrt(std::max(0.0, outer * outer - w.loop * w.loop / 4.0));
    const double start = -ringEdge - unit;
    drawing.dimensions.push_back({Dimension::Kind::Linear,
                                  {0.0, start},
                                  {w.length, start},
                                  {0.0, -outer - 10.0 * unit},
                                  0.0,
                                  FormatOneDecimal(design.FreeHeight),
                                  design.FreeHeight,
                                  Part::View});
    if (keptTop.empty() || keptBottom.empty()) {
        return;
    }
    // Across the body's middle (where coils are left out): the outer
    // diameter with its text on the axis, the mean diameter left of it with
    // its text moved out above the body.
    double middle = (keptBottom.front().along + keptBottom.back().along) / 2.0;
    if (keptBottom.size() == 4 && keptTop.size() == 4) {
        middle = (std::max(keptBottom[1].along, keptTop[1].along) +
                  std::min(keptBottom[2].along, keptTop[2].along)) /
                 2.0;
    }
    const double outerX = middle + 2.5 * unit;
    const double meanX = middle - 3.0 * unit;
    const float outerDiameter = design.MeanDiameter + design.WireDiameter;
    drawing.dimensions.push_back({Dimension::Kind::Linear,
                                  {outerX, -outer},
                                  {outerX, outer},
                                  {outerX, 0.0},
                                  90.0,
                                  "⌀" + FormatGeneral(outerDiameter),
                                  outerDiameter,
                                  Part::View});
    drawing.dimensions.push_back({Dimension::Kind::Linear,
                                  {meanX, -rowUp},
                                  {meanX, rowUp},
                                  {meanX, 0.0},
                                  90.0,
                                  "⌀" + FormatGeneral(design.MeanDiameter),
                                  design.MeanDiameter,
                                  Part::View,
                                  outer - rowUp + 2.0 * unit});
    // Up to the left, clear of the mean diameter's text and of the ring.
    AddWireDimension(drawing, design, w, keptTop, true);
}

} // namespace

ViewExtent SpringViewExtent(const SpringDesign &design, SpringTypeSign typeSign) {
    const Wire w = WireOf(design, typeSign);
    ViewExtent extent{0.0, w.length, (w.mean + w.d) / 2.0};
    if (typeSign != kCompressionSpring) {
        // The hook loops' outer edges lie one wire beyond the inner ones.
        extent.left = -w.d;
        extent.right = w.length + w.d;
    }
    return extent;
}

void AddSpringView(Drawing &drawing, const SpringDesign &design, SpringTypeSign typeSign,
                   bool leftHand) {
    const Wire w = WireOf(design, typeSign);
    const bool compression = typeSign == kCompressionSpring;
    const double unit = 1.0 / drawing.scale;
    const double rowUp = w.mean / 2.0;
    const double outer = (w.mean + w.d) / 2.0;
    const auto line = [&](Point a, Point b, Layer layer) {
        drawing.lines.push_back({a, b, layer, Part::View});
    };

    // A compression spring's coils lie over its free height with a closed
    // coil at each end; an extension spring's close wound body lies between
    // its two hook loops.
    double bodyStart = w.d / 2.0;
    double bodyEnd = w.length - w.d / 2.0;
    if (!compression) {
        bodyStart = w.loop + w.d / 2.0;
        bodyEnd = w.length - w.loop - w.d / 2.0;
        for (const double centre : {w.loop / 2.0, w.length - w.loop / 2.0}) {
            drawing.circles.push_back({{centre, 0.0}, outer, Layer::Thick, Part::View});
            drawing.circles.push_back({{centre, 0.0}, w.loop / 2.0, Layer::Thick, Part::View});
        }
    }
    std::vector<Section> bottom;
    std::vector<Section> top;
    AddRow(bottom, bodyStart, bodyEnd, w.pitch, false);
    AddRow(top, bodyStart + w.pitch / 2.0, bodyEnd, w.pitch, true);
    if (compression) {
        for (const double end : {bodyStart, bodyEnd}) {
            AddEndSection(bottom, end, false, w.d);
            AddEndSection(top, end, true, w.d);
        }
    }
    const auto byPlace = [](const Section &a, const Section &b) { return a.along < b.along; };
    std::sort(bottom.begin(), bottom.end(), byPlace);
    std::sort(top.begin(), top.end(), byPlace);

    const bool abbreviate = design.ActiveCoils > kMostCoilsDrawnWhole;
    const std::vector<Section> keptBottom = Kept(bottom, abbreviate);
    const std::vector<Section> keptTop = Kept(top, abbreviate);
    const double sectionOnPaper = w.d * drawing.scale;
    for (const auto *row : {&keptTop, &keptBottom}) {
        for (const Section &s : *row) {
            const Point centre{s.along, s.top ? rowUp : -rowUp};
            drawing.circles.push_back({centre, w.d / 2.0, Layer::Thick, Part::View});
            drawing.hatches.push_back({centre, w.d / 2.0, sectionOnPaper <= kSolidSectionOnPaper,
                                       std::min(1.5, sectionOnPaper / 4.0) * unit, Part::View});
        }
        if (abbreviate && (row == &keptTop ? top : bottom).size() > 4) {
            const double up = (*row)[0].top ? rowUp : -rowUp;
            line({(*row)[1].along, up}, {(*row)[2].along, up}, Layer::Centre);
        }
    }

    // With the near half cut away, the edges left to see are those of the
    // far side. Along the axis a right-hand coil there climbs from a bottom
    // section to the next top one (rising to the right), a left-hand coil
    // falls from a top section to the next bottom one; two tangent lines
    // outline the wire.
    const std::vector<Section> &from = leftHand ? keptTop : keptBottom;
    const std::vector<Section> &to = leftHand ? keptBottom : keptTop;
    for (const Section &start : from) {
        const auto next = std::find_if(to.begin(), to.end(), [&](const Section &end) {
            return end.along > start.along + 1e-9 &&
                   end.along <= start.along + w.pitch / 2.0 + 1e-6;
        });
        if (next == to.end()) {
            continue;
        }
        const double startY = start.top ? rowUp : -rowUp;
        const double endY = next->top ? rowUp : -rowUp;
        const double dx = next->along - start.along;
        const double dy = endY - startY;
        const double span = std::hypot(dx, dy);
        if (span == 0.0) {
            continue;
        }
        const double nx = -dy / span * w.d / 2.0;
        const double ny = dx / span * w.d / 2.0;
        for (const double side : {1.0, -1.0}) {
            line({start.along + side * nx, startY + side * ny},
                 {next->along + side * nx, endY + side * ny}, Layer::Thick);
        }
    }

    // The ground ends: the end coils' sections flattened against the end planes.
    if (compression) {
        for (const double x : {0.0, w.length}) {
            for (const double up : {rowUp, -rowUp}) {
                line({x, up - w.d / 2.0}, {x, up + w.d / 2.0}, Layer::Thick);
            }
        }
    }

    const ViewExtent extent = SpringViewExtent(design, typeSign);
    const double overhang = 3.0 * unit;
    line({extent.left - overhang, 0.0}, {extent.right + overhang, 0.0}, Layer::Centre);

    if (compression) {
        AddCompressionDimensions(drawing, design, w, keptTop, keptBottom);
    } else {
        AddExtensionDimensions(drawing, design, w, keptTop, keptBottom);
    }
}
