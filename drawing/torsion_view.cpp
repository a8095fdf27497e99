#include "torsion_view.h"

#include "dimension_shape.h"
#include "number_format.h"
#include "text_box.h"
#include "text_measure.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <optional>
#include <vector>

namespace {

// As for the other kinds: more than four coils, the middle ones left out
// (GB/T 4459.4); a guard against a near-zero pitch; a section this small on
// paper (mm) filled black.
constexpr double kMostCoilsDrawnWhole = 4.0;
constexpr std::size_t kMostSectionsConsidered = 400;
constexpr double kSolidSectionOnPaper = 2.0;

double Positive(double value) {
    return std::isfinite(value) && value > 0.0 ? value : 0.0;
}

double Radians(double degrees) {
    return degrees * std::numbers::pi / 180.0;
}

// A dimension whose text meets no leg (the view's thick lines) and whose
// lines and text leave the label alone.
bool ClearOfLegsAndLabel(const DimensionShape &shape, const Drawing &drawing,
                         const std::optional<TextBox> &label) {
    const TextBox text = BoxOfText(shape.text);
    for (const Line &line : drawing.lines) {
        if (line.part == Part::View && line.layer == Layer::Thick &&
            SegmentMeetsBox(line.from, line.to, text)) {
            return false;
        }
    }
    if (!label) {
        return true;
    }
    if (BoxesMeet(text, *label)) {
        return false;
    }
    return std::none_of(shape.lines.begin(), shape.lines.end(), [&](const Line &line) {
        return SegmentMeetsBox(line.from, line.to, *label);
    });
}

// One straight leg as seen along the axis: its wire's centre line from the
// tangent point `from` running `length` along `direction` (a unit vector).
struct Leg {
    Point from;
    Point direction;
    double length = 0.0;
    Point end() const { return {from.x + direction.x * length, from.y + direction.y * length}; }
};

// The legs in the end view, about the axis at the origin. Leg 1 leaves the
// first coil at (R, 0) against the winding, leg 2 the last coil turned by
// the coils' fraction, with the winding. A left-hand coil is the mirror.
std::pair<Leg, Leg> LegsAlongAxis(const TorsionInputs &in, bool leftHand) {
    const double radius = Positive(in.meanDiameter) / 2.0;
    const double sense = leftHand ? -1.0 : 1.0;
    const double turn = Radians(sense * LegTurnDegrees(in.activeCoils));
    Leg first{{radius, 0.0}, {0.0, -sense}, Positive(in.legLength1)};
    Leg second{{radius * std::cos(turn), radius * std::sin(turn)},
               {-sense * std::sin(turn), sense * std::cos(turn)},
               Positive(in.legLength2)};
    return {first, second};
}

void Widen(TorsionViewBox &box, double x, double y) {
    box.left = std::min(box.left, x);
    box.right = std::max(box.right, x);
    box.bottom = std::min(box.bottom, y);
    box.top = std::max(box.top, y);
}

// The wire of a leg as two lines either side of its centre line and the cut end.
void AddLegOutline(Drawing &drawing, Point from, Point to, double wire) {
    const double span = std::hypot(to.x - from.x, to.y - from.y);
    if (span == 0.0) {
        return;
    }
    const double nx = -(to.y - from.y) / span * wire / 2.0;
    const double ny = (to.x - from.x) / span * wire / 2.0;
    for (const double side : {1.0, -1.0}) {
        drawing.lines.push_back({{from.x + side * nx, from.y + side * ny},
                                 {to.x + side * nx, to.y + side * ny},
                                 Layer::Thick,
                                 Part::View});
    }
    drawing.lines.push_back(
        {{to.x + nx, to.y + ny}, {to.x - nx, to.y - ny}, Layer::Thick, Part::View});
}

void AddSection(Drawing &drawing, Point centre, double wire) {
    const double onPaper = wire * drawing.scale;
    drawing.circles.push_back({centre, wire / 2.0, Layer::Thick, Part::View});
    drawing.hatches.push_back({centre, wire / 2.0, onPaper <= kSolidSectionOnPaper,
                               std::min(1.5, onPaper / 4.0) / drawing.scale, Part::View});
}

std::vector<double> Row(double first, double last, double pitch) {
    std::vector<double> row;
    for (double along = first; along <= last + 1e-9 && row.size() < kMostSectionsConsidered;
         along += pitch) {
        row.push_back(along);
    }
    return row;
}

std::vector<double> Kept(const std::vector<double> &row, bool abbreviate) {
    if (!abbreviate || row.size() <= 4) {
        return row;
    }
    return {row[0], row[1], row[row.size() - 2], row[row.size() - 1]};
}

} // namespace

double LegTurnDegrees(double activeCoils) {
    if (!std::isfinite(activeCoils) || activeCoils < 0.0) {
        return 0.0;
    }
    const double turn = 360.0 * (activeCoils - std::floor(activeCoils));
    return turn >= 359.95 ? 0.0 : turn; // a coil's fraction that rounds to whole
}

TorsionViewBox TorsionFrontBox(const TorsionInputs &in, const TorsionSpring &spring,
                               bool leftHand) {
    const double outer = (Positive(in.meanDiameter) + Positive(in.wireDiameter)) / 2.0;
    TorsionViewBox box{0.0, Positive(spring.freeBodyLength), -outer, outer};
    const auto [first, second] = LegsAlongAxis(in, leftHand);
    for (const Leg &leg : {first, second}) {
        Widen(box, box.left, leg.end().y);
    }
    return box;
}

TorsionViewBox TorsionEndBox(const TorsionInputs &in, bool leftHand) {
    const double outer = (Positive(in.meanDiameter) + Positive(in.wireDiameter)) / 2.0;
    TorsionViewBox box{-outer, outer, -outer, outer};
    const double half = Positive(in.wireDiameter) / 2.0;
    const auto [first, second] = LegsAlongAxis(in, leftHand);
    for (const Leg &leg : {first, second}) {
        Widen(box, leg.end().x - half, leg.end().y - half);
        Widen(box, leg.end().x + half, leg.end().y + half);
    }
    return box;
}

void AddTorsionFrontView(Drawing &drawing, const TorsionInputs &in, const TorsionSpring &spring,
                         bool leftHand) {
    const double unit = 1.0 / drawing.scale;
    const double wire = Positive(in.wireDiameter);
    const double rowUp = Positive(in.meanDiameter) / 2.0;
    const double outer = rowUp + wire / 2.0;
    const double length = Positive(spring.freeBodyLength);
    const double pitch = std::max(wire + Positive(in.coilSpacing), wire > 0.0 ? wire : 1.0);
    const auto line = [&](Point a, Point b, Layer layer) {
        drawing.lines.push_back({a, b, layer, Part::View});
    };

    // The sections: the bottom row from the first coil, the top row half a
    // pitch on, as the wire runs round the axis.
    const bool abbreviate = in.activeCoils > kMostCoilsDrawnWhole;
    const std::vector<double> bottom = Row(wire / 2.0, length - wire / 2.0, pitch);
    const std::vector<double> top = Row(wire / 2.0 + pitch / 2.0, length - wire / 2.0, pitch);
    const std::vector<double> keptBottom = Kept(bottom, abbreviate);
    const std::vector<double> keptTop = Kept(top, abbreviate);
    for (const auto *row : {&keptTop, &keptBottom}) {
        const double up = row == &keptTop ? rowUp : -rowUp;
        for (const double along : *row) {
            AddSection(drawing, {along, up}, wire);
        }
        if (row->size() == 4 && (row == &keptTop ? top : bottom).size() > 4) {
            line({(*row)[1], up}, {(*row)[2], up}, Layer::Centre);
        }
    }
    // The far side's edges, as for the other kinds: a right-hand coil rises
    // from a bottom section to the next top one, a left-hand one falls.
    const std::vector<double> &from = leftHand ? keptTop : keptBottom;
    const std::vector<double> &to = leftHand ? keptBottom : keptTop;
    const double fromY = leftHand ? rowUp : -rowUp;
    for (const double start : from) {
        const auto next = std::find_if(to.begin(), to.end(), [&](double end) {
            return end > start + 1e-9 && end <= start + pitch / 2.0 + 1e-6;
        });
        if (next != to.end()) {
            const double span = std::hypot(*next - start, 2.0 * rowUp);
            const double nx = 2.0 * fromY / span * wire / 2.0;
            const double ny = (*next - start) / span * wire / 2.0;
            for (const double side : {1.0, -1.0}) {
                line({start + side * nx, fromY + side * ny},
                     {*next + side * nx, -fromY + side * ny}, Layer::Thick);
            }
        }
    }

    // The legs lie across the axis: seen from the front, each runs up or
    // down from its tangent point at the body's end.
    const auto [first, second] = LegsAlongAxis(in, leftHand);
    const double ends[] = {wire / 2.0, length - wire / 2.0};
    int k = 0;
    for (const Leg &leg : {first, second}) {
        const double x = ends[k++];
        if (std::fabs(leg.end().y - leg.from.y) > 1e-9) {
            AddLegOutline(drawing, {x, leg.from.y}, {x, leg.end().y}, wire);
        }
    }
    const TorsionViewBox box = TorsionFrontBox(in, spring, leftHand);
    line({box.left - 3.0 * unit, 0.0}, {box.right + 3.0 * unit, 0.0}, Layer::Centre);

    // The body's free length above, the outer diameter on the left, the
    // mean diameter on the right, d at the first top section, l1 beside leg 1.
    const double above = box.top + 8.0 * unit;
    drawing.dimensions.push_back({Dimension::Kind::Linear,
                                  {0.0, outer},
                                  {length, outer},
                                  {0.0, above},
                                  0.0,
                                  FormatOneDecimal(spring.freeBodyLength),
                                  spring.freeBodyLength,
                                  Part::View});
    drawing.dimensions.push_back({Dimension::Kind::Linear,
                                  {0.0, -outer},
                                  {0.0, outer},
                                  {-10.0 * unit, 0.0},
                                  90.0,
                                  "⌀" + FormatGeneral(spring.outerDiameter),
                                  spring.outerDiameter,
                                  Part::View});
    if (!keptTop.empty() && !keptBottom.empty()) {
        drawing.dimensions.push_back({Dimension::Kind::Linear,
                                      {keptBottom.back(), -rowUp},
                                      {keptTop.back(), rowUp},
                                      {length + 10.0 * unit, 0.0},
                                      90.0,
                                      "⌀" + FormatGeneral(static_cast<float>(in.meanDiameter)),
                                      static_cast<float>(in.meanDiameter),
                                      Part::View});
        // d across a section, up and out from the first top one unless its
        // text would lie on a leg there; then the other end sections.
        const double lean = std::sqrt(0.5) * wire / 2.0;
        const Point sections[] = {{keptTop.front(), rowUp},
                                  {keptTop.back(), rowUp},
                                  {keptBottom.front(), -rowUp},
                                  {keptBottom.back(), -rowUp}};
        std::vector<Dimension> candidates;
        for (const Point &section : sections) {
            const double up = section.y > 0.0 ? 1.0 : -1.0;
            for (const double out : {1.0, -1.0}) {
                candidates.push_back({Dimension::Kind::Diameter,
                                      {section.x - out * lean, section.y - up * lean},
                                      {section.x + out * lean, section.y + up * lean},
                                      {},
                                      45.0,
                                      "⌀" + FormatGeneral(static_cast<float>(in.wireDiameter)),
                                      static_cast<float>(in.wireDiameter),
                                      Part::View});
            }
        }
        const auto clear =
            std::find_if(candidates.begin(), candidates.end(), [&](const Dimension &d) {
                return ClearOfLegsAndLabel(ShapeOf(d, drawing), drawing, std::nullopt);
            });
        drawing.dimensions.push_back(clear != candidates.end() ? *clear : candidates.front());
    }
    if (first.length > 0.0) {
        drawing.dimensions.push_back({Dimension::Kind::Linear,
                                      {0.0, first.from.y},
                                      {0.0, first.end().y},
                                      {-18.0 * unit, 0.0},
                                      90.0,
                                      FormatGeneral(static_cast<float>(in.legLength1)),
                                      static_cast<float>(in.legLength1),
                                      Part::View});
    }
}

void AddTorsionEndView(Drawing &drawing, const TorsionInputs &in, const TorsionSpring &spring,
                       double centreX, bool leftHand) {
    const double unit = 1.0 / drawing.scale;
    const double wire = Positive(in.wireDiameter);
    const double mean = Positive(in.meanDiameter) / 2.0;
    const Point centre{centreX, 0.0};
    const auto at = [&](Point p) { return Point{centreX + p.x, p.y}; };
    drawing.circles.push_back({centre, mean + wire / 2.0, Layer::Thick, Part::View});
    drawing.circles.push_back({centre, mean - wire / 2.0, Layer::Thick, Part::View});
    drawing.circles.push_back({centre, mean, Layer::Centre, Part::View});
    const double cross = mean + wire / 2.0 + 3.0 * unit;
    drawing.lines.push_back(
        {{centreX - cross, 0.0}, {centreX + cross, 0.0}, Layer::Centre, Part::View});
    drawing.lines.push_back({{centreX, -cross}, {centreX, cross}, Layer::Centre, Part::View});

    const auto [first, second] = LegsAlongAxis(in, leftHand);
    for (const Leg &leg : {first, second}) {
        if (leg.length > 0.0) {
            AddLegOutline(drawing, at(leg.from), at(leg.end()), wire);
        }
    }
    // Where leg 2 leaves, turned from leg 1 about the axis.
    const double turn = LegTurnDegrees(in.activeCoils);
    const double arcRadius = mean * 0.5;
    if (turn > 0.0) {
        const double start = leftHand ? -turn : 0.0;
        drawing.arcs.push_back({centre, arcRadius, start, start + turn, Layer::Thin, Part::View});
    }
    const double middle = Radians((leftHand ? -turn : turn) / 2.0);
    const std::string label = FormatOneDecimal(static_cast<float>(turn)) + "°";
    // The label's half extents with a margin, and the inner diameter along
    // the lower diagonal farther from the label's direction.
    const double halfWidth = TextWidth(label, 3.5 * unit) / 2.0 + 0.25 * unit;
    const double halfHeight = 2.0 * unit;
    const double inner = mean - wire / 2.0;
    const double slant =
        std::fabs(std::sin(Radians(225.0) - middle)) >= std::fabs(std::sin(Radians(315.0) - middle))
            ? Radians(225.0)
            : Radians(315.0);
    std::optional<TextBox> labelBox;
    if (turn > 0.0) {
        // Far enough along its direction to clear the diameter's line and the
        // arc; outside the coil where the inner circle has no room for it.
        const double across =
            halfWidth * std::fabs(std::sin(slant)) + halfHeight * std::fabs(std::cos(slant));
        const double radial =
            halfWidth * std::fabs(std::cos(middle)) + halfHeight * std::fabs(std::sin(middle));
        double distance = across / std::max(std::fabs(std::sin(slant - middle)), 0.1);
        distance = std::max(distance, arcRadius + radial);
        if (distance + radial > inner) {
            // Just outside the coil; beyond the ends of leg 2's extension
            // lines where it would meet them: they leave the coil radially
            // (the leg is tangent) by d/2 + 8 mm and overshoot.
            distance = mean + wire / 2.0 + radial + unit;
            const double legSide = Radians(leftHand ? -turn : turn);
            const double clearOfLeg = halfWidth * std::fabs(std::sin(legSide)) +
                                      halfHeight * std::fabs(std::cos(legSide));
            if (turn < 180.0 && distance * std::sin(Radians(turn / 2.0)) < clearOfLeg) {
                distance = std::max(distance, mean + wire + 11.0 * unit + radial);
            }
        }
        drawing.texts.push_back(
            {{centreX + distance * std::cos(middle), distance * std::sin(middle) - 1.75 * unit},
             label,
             3.5 * unit,
             TextAlign::Centre,
             0.0,
             Layer::Text,
             Part::View});
        labelBox = BoxOfText(drawing.texts.back());
    }
    // The inner diameter across the circle, its text at an end where it
    // meets no leg and nothing meets the turn's label: the diagonal clear of
    // the label first, then its other end, then the other diagonal.
    const double otherSlant = slant == Radians(225.0) ? Radians(315.0) : Radians(225.0);
    const double ends[] = {slant, slant - std::numbers::pi, otherSlant,
                           otherSlant - std::numbers::pi};
    std::optional<Dimension> chosen;
    for (const double end : ends) {
        const Dimension across{Dimension::Kind::Diameter,
                               {centreX - inner * std::cos(end), -inner * std::sin(end)},
                               {centreX + inner * std::cos(end), inner * std::sin(end)},
                               {},
                               0.0,
                               "⌀" + FormatGeneral(spring.innerDiameter),
                               spring.innerDiameter,
                               Part::View};
        if (!chosen) {
            chosen = across;
        }
        if (ClearOfLegsAndLabel(ShapeOf(across, drawing), drawing, labelBox)) {
            chosen = across;
            break;
        }
    }
    drawing.dimensions.push_back(*chosen);
    // Leg 2's length along it.
    if (second.length > 0.0) {
        // Measured along the leg, its text kept readable (not upside down).
        double degrees =
            std::atan2(second.direction.y, second.direction.x) * 180.0 / std::numbers::pi;
        degrees = degrees > 90.0 ? degrees - 180.0 : degrees <= -90.0 ? degrees + 180.0 : degrees;
        const Point normal{-second.direction.y, second.direction.x};
        const double away = (normal.x * second.from.x + normal.y * second.from.y) >= 0.0
                                ? 1.0
                                : -1.0; // outward, clear of the coils
        const Point offset{normal.x * away * (wire / 2.0 + 8.0 * unit),
                           normal.y * away * (wire / 2.0 + 8.0 * unit)};
        const Point from = at(second.from);
        drawing.dimensions.push_back({Dimension::Kind::Linear,
                                      from,
                                      at(second.end()),
                                      {from.x + offset.x, from.y + offset.y},
                                      degrees,
                                      FormatGeneral(static_cast<float>(in.legLength2)),
                                      static_cast<float>(in.legLength2),
                                      Part::View});
    }
}
