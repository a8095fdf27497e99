#include "characteristic_line.h"

#include "number_format.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace {

struct Mark {
    std::string name; // "1", "2", "3", "b"
    double height = 0.0;
    double load = 0.0;
    float heightValue = 0.0F;
};

double Finite(double value) {
    return std::isfinite(value) ? value : 0.0;
}

std::vector<Mark> MarksOf(const SpringDesign &d, SpringTypeSign typeSign) {
    std::vector<Mark> marks = {
        {"1", Finite(d.WorkingHeight1), Finite(d.WorkingLoad1), d.WorkingHeight1},
        {"2", Finite(d.WorkingHeight2), Finite(d.WorkingLoad2), d.WorkingHeight2},
        {"3", Finite(d.WorkingHeight3), Finite(d.WorkingLoad3), d.WorkingHeight3},
    };
    if (typeSign == kCompressionSpring) {
        const double solidLoad = Finite(static_cast<double>(d.SpringRate) *
                                        (static_cast<double>(d.FreeHeight) - d.SolidHeight));
        marks.push_back({"b", Finite(d.SolidHeight), solidLoad, d.SolidHeight});
    }
    return marks;
}

} // namespace

int HeightDimensionCount(SpringTypeSign typeSign) {
    return typeSign == kCompressionSpring ? 4 : 3;
}

double CharacteristicRight(const SpringDesign &design, SpringTypeSign typeSign) {
    double right = Finite(design.FreeHeight);
    for (const Mark &mark : MarksOf(design, typeSign)) {
        right = std::max(right, mark.height);
    }
    return right;
}

void AddCharacteristicLine(Drawing &drawing, const SpringDesign &design, SpringTypeSign typeSign,
                           double baseY) {
    const double unit = 1.0 / drawing.scale;
    const bool compression = typeSign == kCompressionSpring;
    const std::vector<Mark> marks = MarksOf(design, typeSign);
    double most = compression ? 0.0 : Finite(design.InitialTension);
    for (const Mark &mark : marks) {
        most = std::max(most, mark.load);
    }
    const double perNewton = most > 0.0 ? kCharacteristicRise * unit / most : 0.0;
    const auto at = [&](double length, double load) {
        return Point{length, baseY + std::max(0.0, load) * perNewton};
    };
    const auto line = [&](Point a, Point b, Layer layer) {
        drawing.lines.push_back({a, b, layer, Part::Characteristic});
    };
    // Labels stand right of their points, the end ones (F0, Fb) left of theirs,
    // so that points close together keep their labels apart.
    const auto label = [&](Point p, std::string text) {
        const bool end = text == "F0" || text == "Fb";
        drawing.texts.push_back({{p.x + (end ? -1.0 : 1.0) * unit, p.y + 1.0 * unit},
                                 std::move(text),
                                 2.5 * unit,
                                 end ? TextAlign::Right : TextAlign::Left,
                                 0.0,
                                 Layer::Text,
                                 Part::Characteristic});
    };

    const double right = CharacteristicRight(design, typeSign);
    line({0.0, baseY}, {right + 6.0 * unit, baseY}, Layer::Thin);
    line({0.0, baseY}, {0.0, baseY + (kCharacteristicRise + 4.0) * unit}, Layer::Thin);
    drawing.texts.push_back({{-1.5 * unit, baseY + (kCharacteristicRise + 1.0) * unit},
                             "F",
                             2.5 * unit,
                             TextAlign::Right,
                             0.0,
                             Layer::Text,
                             Part::Characteristic});

    // The line itself: from the free height to the farthest mark.
    const double free = Finite(design.FreeHeight);
    const double freeLoad = compression ? 0.0 : Finite(design.InitialTension);
    const Mark *far = nullptr;
    for (const Mark &mark : marks) {
        if (!far || std::fabs(mark.height - free) > std::fabs(far->height - free)) {
            far = &mark;
        }
    }
    if (far) {
        line(at(free, freeLoad), at(far->height, far->load), Layer::Thick);
    }
    if (!compression) {
        line(at(free, 0.0), at(free, freeLoad), Layer::Thin);
        label(at(free, freeLoad), "F0");
    }

    // Each mark: a drop line, its load, and its height dimensioned from the
    // left end, the shortest nearest the base line.
    std::vector<const Mark *> byHeight;
    for (const Mark &mark : marks) {
        byHeight.push_back(&mark);
        line(at(mark.height, 0.0), at(mark.height, mark.load), Layer::Thin);
        label(at(mark.height, mark.load), "F" + mark.name);
    }
    std::sort(byHeight.begin(), byHeight.end(),
              [](const Mark *a, const Mark *b) { return a->height < b->height; });
    for (std::size_t i = 0; i < byHeight.size(); ++i) {
        const Mark &mark = *byHeight[i];
        const double y = baseY - static_cast<double>(i + 1) * kHeightDimensionStep * unit;
        drawing.dimensions.push_back({Dimension::Kind::Linear,
                                      {0.0, baseY},
                                      {mark.height, baseY},
                                      {0.0, y},
                                      0.0,
                                      FormatOneDecimal(mark.heightValue),
                                      mark.heightValue,
                                      Part::Characteristic});
    }
}
