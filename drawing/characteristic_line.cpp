#include "characteristic_line.h"

#include "finite_or_zero.h"
#include "number_format.h"
#include "text_box.h"
#include "text_measure.h"

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

std::vector<Mark> MarksOf(const SpringDesign &d, SpringTypeSign typeSign) {
    std::vector<Mark> marks = {
        {"1", FiniteOrZero(d.WorkingHeight1), FiniteOrZero(d.WorkingLoad1), d.WorkingHeight1},
        {"2", FiniteOrZero(d.WorkingHeight2), FiniteOrZero(d.WorkingLoad2), d.WorkingHeight2},
        {"3", FiniteOrZero(d.WorkingHeight3), FiniteOrZero(d.WorkingLoad3), d.WorkingHeight3},
    };
    if (typeSign == kCompressionSpring) {
        const double solidLoad = FiniteOrZero(static_cast<double>(d.SpringRate) *
                                              (static_cast<double>(d.FreeHeight) - d.SolidHeight));
        marks.push_back({"b", FiniteOrZero(d.SolidHeight), solidLoad, d.SolidHeight});
    }
    return marks;
}

// The paper a level text covers, with its descenders.
TextBox BoxOf(const Text &text, double width) {
    const double left = text.align == TextAlign::Left     ? text.at.x
                        : text.align == TextAlign::Centre ? text.at.x - width / 2.0
                                                          : text.at.x - width;
    return {left, text.at.y - 0.2 * text.height, left + width, text.at.y + text.height};
}

// Each load's label beside its point where it meets no line of the diagram
// and no other label: above left, above right, below left, below right; the
// first that is clear, else above left.
void PlaceLabels(Drawing &drawing, const std::vector<std::pair<Point, std::string>> &labels,
                 double height) {
    const double gap = 0.4 * height;
    std::vector<TextBox> taken;
    for (const Text &text : drawing.texts) {
        if (text.part == Part::Characteristic) {
            taken.push_back(BoxOf(text, TextWidth(text.content, text.height)));
        }
    }
    for (const auto &[p, content] : labels) {
        const double width = TextWidth(content, height);
        Text best;
        bool found = false;
        for (const auto &[right, up] : {std::pair{false, true}, std::pair{true, true},
                                        std::pair{false, false}, std::pair{true, false}}) {
            Text text{{p.x + (right ? gap : -gap), up ? p.y + gap : p.y - gap - height},
                      content,
                      height,
                      right ? TextAlign::Left : TextAlign::Right,
                      0.0,
                      Layer::Text,
                      Part::Characteristic};
            const TextBox box = BoxOf(text, width);
            const bool clear = std::none_of(drawing.lines.begin(), drawing.lines.end(),
                                            [&](const Line &l) {
                                                return l.part == Part::Characteristic &&
                                                       SegmentMeetsBox(l.from, l.to, box);
                                            }) &&
                               std::none_of(taken.begin(), taken.end(), [&](const TextBox &other) {
                                   return BoxesMeet(box, other);
                               });
            if (clear || !found) {
                best = text;
            }
            found = true;
            if (clear) {
                break;
            }
        }
        taken.push_back(BoxOf(best, width));
        drawing.texts.push_back(best);
    }
}

} // namespace

int HeightDimensionCount(SpringTypeSign typeSign) {
    return typeSign == kCompressionSpring ? 4 : 3;
}

double CharacteristicRight(const SpringDesign &design, SpringTypeSign typeSign) {
    double right = FiniteOrZero(design.FreeHeight);
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
    double most = compression ? 0.0 : FiniteOrZero(design.InitialTension);
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
    // Labels are placed once every line is drawn (below).
    std::vector<std::pair<Point, std::string>> labels;
    const auto label = [&](Point p, std::string text) { labels.push_back({p, std::move(text)}); };

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
    const double free = FiniteOrZero(design.FreeHeight);
    const double freeLoad = compression ? 0.0 : FiniteOrZero(design.InitialTension);
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
    PlaceLabels(drawing, labels, 2.5 * unit);
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
