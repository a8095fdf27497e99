#include "spring_sketch.h"

#include <algorithm>
#include <cmath>

namespace {

// Sections per row beyond which only the two end coils of each row are drawn.
constexpr std::size_t kMostSectionsDrawn = 6;
// A guard against a near-zero pitch filling the drawing with sections.
constexpr std::size_t kMostSectionsConsidered = 400;

struct Section {
    double along = 0.0; // mm from the left end
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

} // namespace

SpringSketch MapSpringSketch(const SpringDesign &design, SpringTypeSign typeSign,
                             const ChartFrame &frame) {
    const double d = Positive(design.WireDiameter);
    const double mean = Positive(design.MeanDiameter);
    const double length = Positive(design.FreeHeight);
    const double pitch = std::max(Positive(design.Pitch), d > 0.0 ? d : 1.0);
    const bool compression = typeSign == kCompressionSpring;

    SpringSketch sketch;
    const double outer = mean + d;
    sketch.scale =
        length > 0.0 && outer > 0.0 ? std::min(frame.width / length, frame.height / outer) : 1.0;
    const double originX = frame.left + (frame.width - length * sketch.scale) / 2.0;
    const double originY = frame.top + frame.height / 2.0;
    const auto at = [&](double along, double up) {
        return ChartPoint{originX + along * sketch.scale, originY - up * sketch.scale};
    };

    // Where the coils lie along the axis: a compression spring over its free
    // height, with a closed coil at each end; an extension spring's close
    // wound body between its two hook loops.
    double bodyStart = d / 2.0;
    double bodyEnd = length - d / 2.0;
    if (!compression) {
        const double loop = std::max(0.0, mean - d);
        bodyStart = loop + d / 2.0;
        bodyEnd = length - loop - d / 2.0;
        sketch.hookLoops = {
            {at(loop / 2.0, 0.0), outer / 2.0 * sketch.scale},
            {at(loop / 2.0, 0.0), loop / 2.0 * sketch.scale},
            {at(length - loop / 2.0, 0.0), outer / 2.0 * sketch.scale},
            {at(length - loop / 2.0, 0.0), loop / 2.0 * sketch.scale},
        };
    }
    std::vector<Section> bottom;
    std::vector<Section> top;
    AddRow(bottom, bodyStart, bodyEnd, pitch, false);
    AddRow(top, bodyStart + pitch / 2.0, bodyEnd, pitch, true);
    if (compression) {
        for (const double end : {bodyStart, bodyEnd}) {
            AddEndSection(bottom, end, false, d);
            AddEndSection(top, end, true, d);
        }
    }
    const auto byPlace = [](const Section &a, const Section &b) { return a.along < b.along; };
    std::sort(bottom.begin(), bottom.end(), byPlace);
    std::sort(top.begin(), top.end(), byPlace);

    // Both rows are shortened alike, so that the drawing stays symmetric.
    const bool abbreviate = std::max(bottom.size(), top.size()) > kMostSectionsDrawn;
    const std::vector<Section> keptBottom = Kept(bottom, abbreviate);
    const std::vector<Section> keptTop = Kept(top, abbreviate);
    const double rowUp = mean / 2.0;
    for (const auto *row : {&keptTop, &keptBottom}) {
        for (const Section &s : *row) {
            sketch.sections.push_back(
                {at(s.along, s.top ? rowUp : -rowUp), d / 2.0 * sketch.scale});
        }
        if (abbreviate && (row == &keptTop ? top : bottom).size() > 4) {
            const double up = (*row)[0].top ? rowUp : -rowUp;
            sketch.centreLines.push_back({at((*row)[1].along, up), at((*row)[2].along, up)});
        }
    }

    // The visible edge of each coil runs from a top section to the next
    // bottom one; two tangent lines outline the wire.
    for (const Section &t : keptTop) {
        const auto next = std::find_if(keptBottom.begin(), keptBottom.end(), [&](const Section &b) {
            return b.along > t.along + 1e-9 && b.along <= t.along + pitch / 2.0 + 1e-6;
        });
        if (next == keptBottom.end()) {
            continue;
        }
        const double dx = next->along - t.along;
        const double dy = -2.0 * rowUp;
        const double span = std::hypot(dx, dy);
        if (span == 0.0) {
            continue;
        }
        const double nx = -dy / span * d / 2.0;
        const double ny = dx / span * d / 2.0;
        for (const double side : {1.0, -1.0}) {
            sketch.outline.push_back({at(t.along + side * nx, rowUp + side * ny),
                                      at(next->along + side * nx, -rowUp + side * ny)});
        }
    }

    sketch.startX = at(0.0, 0.0).x;
    sketch.endX = at(length, 0.0).x;
    sketch.axisY = originY;
    sketch.topRowY = at(0.0, rowUp).y;
    sketch.bottomRowY = at(0.0, -rowUp).y;
    sketch.outerTopY = at(0.0, outer / 2.0).y;
    sketch.outerBottomY = at(0.0, -outer / 2.0).y;
    const double overhang = std::max(d, 2.0) * sketch.scale;
    sketch.centreLines.push_back(
        {{sketch.startX - overhang, originY}, {sketch.endX + overhang, originY}});
    return sketch;
}
