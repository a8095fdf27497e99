// The sheet read as a checker reads it: labels clear of lines, dimensions
// clear of the hook rings, lettering never below 3.5 mm, from the geometry.
#include "../calc/design_fixtures.h"
#include "calculate_spring.h"
#include "dimension_shape.h"
#include "drawing_svg.h"
#include "number_format.h"
#include "sheet_parts.h"
#include "spring_drawing.h"
#include "technical_requirements.h"
#include "text_measure.h"
#include "title_block.h"
#include "torsion_drawing.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct Box {
    double left, bottom, right, top;
};

// The paper a text covers, level or upright, slightly inset so that touching
// is not meeting.
Box BoxOf(const Text &t) {
    const double width = TextWidth(t.content, t.height);
    const double start = t.align == TextAlign::Left     ? 0.0
                         : t.align == TextAlign::Centre ? -width / 2.0
                                                        : -width;
    const double inset = 0.05 * t.height;
    if (std::fabs(t.degrees - 90.0) < 1e-9) {
        return {t.at.x - t.height + inset, t.at.y + start + inset, t.at.x - inset,
                t.at.y + start + width - inset};
    }
    return {t.at.x + start + inset, t.at.y + inset, t.at.x + start + width - inset,
            t.at.y + t.height - inset};
}

bool Inside(Point p, const Box &b) {
    return p.x > b.left && p.x < b.right && p.y > b.bottom && p.y < b.top;
}

// Sampled finely: a segment meets a box if any of its points lies inside.
bool Meets(const Line &l, const Box &b) {
    for (int i = 0; i <= 400; ++i) {
        const double t = i / 400.0;
        if (Inside({l.from.x + (l.to.x - l.from.x) * t, l.from.y + (l.to.y - l.from.y) * t}, b)) {
            return true;
        }
    }
    return false;
}

// A segment crosses a circle when its points lie both inside and outside it.
bool Crosses(const Line &l, const Circle &c) {
    bool in = false;
    bool out = false;
    for (int i = 0; i <= 400; ++i) {
        const double t = i / 400.0;
        const double d = std::hypot(l.from.x + (l.to.x - l.from.x) * t - c.centre.x,
                                    l.from.y + (l.to.y - l.from.y) * t - c.centre.y);
        in = in || d < c.radius - 1e-6;
        out = out || d > c.radius + 1e-6;
    }
    return in && out;
}

struct LayoutCase {
    const char *name;
    SpringTypeSign sign;
    float wire, mean, activeCoils, load1, load2, load3;
};

DrawingInput Designed(const LayoutCase &c) {
    SpringDesign d = c.sign == kCompressionSpring ? SampleDesign() : ExtensionExampleDesign();
    d.WireDiameter = c.wire;
    d.MeanDiameter = c.mean;
    d.ActiveCoils = c.activeCoils;
    d.TotalCoils = c.activeCoils + (c.sign == kCompressionSpring ? 1.5F : 0.0F);
    WorkingPointMode mode = WorkingPointMode::KnownHeights;
    if (c.sign == kExtensionSpring) {
        d.WorkingLoad1 = c.load1;
        d.WorkingLoad2 = c.load2;
        d.WorkingLoad3 = c.load3;
        mode = WorkingPointMode::KnownLoads;
    }
    IgnoringListener listener;
    CalculateSpring(d, c.sign, mode, listener);
    DrawingInput input;
    input.design = d;
    input.typeSign = c.sign;
    input.date = "2005年06月01日";
    return input;
}

class DrawingLayoutTest : public testing::TestWithParam<LayoutCase> {};

TEST_P(DrawingLayoutTest, LabelsAndDimensionsStayClear) {
    const DrawingInput input = Designed(GetParam());
    const Drawing drawing = BuildSpringDrawing(input);
    // The loads' labels meet no line of the characteristic diagram.
    for (const Text &t : drawing.texts) {
        if (t.part != Part::Characteristic) {
            continue;
        }
        for (const Line &l : drawing.lines) {
            if (l.part == Part::Characteristic) {
                EXPECT_FALSE(Meets(l, BoxOf(t))) << t.content;
            }
        }
    }
    std::vector<Circle> rings;
    for (const Circle &c : drawing.circles) {
        if (c.radius > input.design.WireDiameter) {
            rings.push_back(c);
        }
    }
    EXPECT_EQ(rings.size(), input.typeSign == kExtensionSpring ? 4U : 0U);
    std::vector<DimensionShape> shapes;
    for (const Dimension &d : drawing.dimensions) {
        if (d.part == Part::View) {
            shapes.push_back(ShapeOf(d, drawing));
        }
    }
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        for (const Line &l : shapes[i].lines) {
            for (const Circle &ring : rings) {
                EXPECT_FALSE(Crosses(l, ring)) << shapes[i].text.content;
            }
        }
        // No dimension's text lies on another dimension's lines.
        for (std::size_t j = 0; j < shapes.size(); ++j) {
            for (const Line &l : shapes[j].lines) {
                if (i != j) {
                    EXPECT_FALSE(Meets(l, BoxOf(shapes[i].text)))
                        << shapes[i].text.content << " on " << shapes[j].text.content;
                }
            }
        }
    }
    // The outer diameter is measured on the body, not on a ring.
    const float outer = input.design.MeanDiameter + input.design.WireDiameter;
    for (const Dimension &d : drawing.dimensions) {
        if (d.text == "⌀" + FormatGeneral(outer) && d.degrees == 90.0) {
            for (const Circle &ring : rings) {
                EXPECT_GT(std::fabs(d.from.x - ring.centre.x), ring.radius) << d.text;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Designs, DrawingLayoutTest,
    testing::Values(LayoutCase{"extension", kExtensionSpring, 4, 28, 5, 100, 200, 300},
                    LayoutCase{"extension_close_loads", kExtensionSpring, 4, 28, 8, 100, 110, 120},
                    LayoutCase{"extension_slim", kExtensionSpring, 1, 6, 20, 5, 8, 10},
                    LayoutCase{"extension_stout", kExtensionSpring, 6, 30, 12, 500, 900, 1500},
                    LayoutCase{"extension_few_coils", kExtensionSpring, 2, 16, 4, 30, 60, 90},
                    LayoutCase{"compression", kCompressionSpring, 4, 28, 5, 0, 0, 0}),
    [](const auto &info) { return std::string(info.param.name); });

// Both views of a torsion spring: the legs' turn and every dimension labelled
// clear of the legs and of each other, whatever the turn, the hand and the index.
TEST(TorsionViewsTest, LabelsClearOfLegsAndDimensions) {
    const double sizes[][2] = {{1.0, 8.0}, {2.0, 14.1}, {2.0, 9.0}, {4.0, 30.0}};
    for (const double coils : {3.25, 4.5, 5.1, 5.75, 6.0, 7.9}) {
        for (const bool leftHand : {false, true}) {
            for (const auto &size : sizes) {
                TorsionDrawingInput input;
                input.inputs.elasticModulus = 206000.0;
                input.inputs.wireDiameter = size[0];
                input.inputs.meanDiameter = size[1];
                input.inputs.activeCoils = coils;
                input.inputs.legLength1 = input.inputs.legLength2 = 3.0 * size[1];
                input.inputs.points = {30.0, 60.0, std::nullopt};
                input.spring = CalculateTorsionSpring(input.inputs);
                input.details.leftHand = leftHand;
                const Drawing drawing = BuildTorsionDrawing(input);
                // No dimension's text lies on a leg.
                for (const Dimension &d : drawing.dimensions) {
                    for (const Line &l : drawing.lines) {
                        if (l.part == Part::View && l.layer == Layer::Thick) {
                            EXPECT_FALSE(Meets(l, BoxOf(ShapeOf(d, drawing).text)))
                                << d.text << " on a leg, n " << coils << ", D " << size[1]
                                << (leftHand ? ", left" : "");
                        }
                    }
                }
                for (const Text &t : drawing.texts) {
                    if (t.part != Part::View || t.content.find("°") == std::string::npos) {
                        continue;
                    }
                    for (const Line &l : drawing.lines) {
                        if (l.part == Part::View && l.layer == Layer::Thick) { // the legs
                            EXPECT_FALSE(Meets(l, BoxOf(t))) << t.content << " on a leg";
                        }
                    }
                    for (const Dimension &d : drawing.dimensions) {
                        for (const Line &l : ShapeOf(d, drawing).lines) {
                            EXPECT_FALSE(Meets(l, BoxOf(t)))
                                << t.content << " on " << d.text << ", n " << coils << ", d "
                                << size[0] << ", D " << size[1] << (leftHand ? ", left" : "");
                        }
                    }
                }
            }
        }
    }
}

std::string Repeated(const char *piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

struct TitleCase {
    const char *name;
    std::string keyValue; // for --title-block
    const char *refusal;  // the start of the message, or nullptr when it is drawn
};

class TitleBlockLetteringTest : public testing::TestWithParam<TitleCase> {};

// No title-block text below 3.5 mm, none over a cell's border; a value that
// cannot be set so is refused, naming its field.
TEST_P(TitleBlockLetteringTest, NeverBelowTheSmallestHeightNorOverACell) {
    const TitleCase &c = GetParam();
    DrawingInput input = Designed({"sample", kCompressionSpring, 4, 28, 5, 0, 0, 0});
    ASSERT_FALSE(StoreTitleBlockField(input.details, c.keyValue)) << c.keyValue;
    const std::optional<DrawingRefusal> refusal = TitleBlockProblem(input);
    ASSERT_EQ(refusal.has_value(), c.refusal != nullptr) << (refusal ? refusal->message : "");
    if (refusal) {
        EXPECT_EQ(refusal->message.rfind(c.refusal, 0), 0U) << refusal->message;
        EXPECT_NE(refusal->message.find("此格最多容纳"), std::string::npos);
        return;
    }
    const Drawing drawing = BuildSpringDrawing(input);
    for (const Text &t : drawing.texts) {
        if (t.part != Part::TitleBlock && t.part != Part::Requirements) {
            continue;
        }
        EXPECT_EQ(t.content.find("…"), std::string::npos) << t.content; // nothing cut short
        EXPECT_GE(t.height * drawing.scale, 3.5 - 1e-9) << t.content;
        for (const Line &l : drawing.lines) {
            if (l.part == Part::TitleBlock) {
                EXPECT_FALSE(Meets(l, BoxOf(t))) << t.content;
            }
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Fields, TitleBlockLetteringTest,
    testing::Values(TitleCase{"company_wrapped", "单位=" + Repeated("弹", 40), nullptr},
                    TitleCase{"company_too_long", "单位=" + Repeated("弹", 60), "标题栏 单位名称"},
                    TitleCase{"latin_company", "单位=" + Repeated("W", 50), nullptr},
                    TitleCase{"name_wrapped", "零件名称=" + Repeated("簧", 20), nullptr},
                    TitleCase{"designer_fits", "设计=" + Repeated("张", 5), nullptr},
                    TitleCase{"designer_too_long", "设计=" + Repeated("张", 6), "标题栏 设计"},
                    TitleCase{"stage", "阶段标记=S", nullptr},
                    TitleCase{"revision_area", "更改区=是", nullptr}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(TitleBlockTest, MassOfTheChecksAndRevisionCaptionsWhenAsked) {
    DrawingInput input = Designed({"sample", kCompressionSpring, 4, 28, 5, 0, 0, 0});
    CheckResult mass;
    mass.id = "mass";
    mass.value = 56.4031;
    input.checks = CheckResults{mass};
    input.details.revisionArea = true;
    std::string all;
    for (const Text &t : BuildSpringDrawing(input).texts) {
        all += t.content + "\n";
    }
    for (const char *wanted :
         {"\n56.4 g\n", "\n重量\n", "\n标准化\n", "\n阶段标记\n", "\n更改文件号\n"}) {
        EXPECT_NE(all.find(wanted), std::string::npos) << wanted;
    }
}

// GB/T 14689: a thick mark from the middle of each edge of the sheet inwards.
TEST(TitleBlockTest, CentringMarksAtTheMiddleOfEachSide) {
    for (const double factor : {1.0, 6.0}) {
        DrawingInput input = Designed({"sample", kCompressionSpring, 4, 28, 5, 0, 0, 0});
        input.design.FreeHeight = static_cast<float>(input.design.FreeHeight * factor);
        const Drawing drawing = BuildSpringDrawing(input);
        const Point low = SheetLowerLeft(drawing);
        const Point high = SheetUpperRight(drawing);
        const Point middles[] = {{(low.x + high.x) / 2, low.y},
                                 {(low.x + high.x) / 2, high.y},
                                 {low.x, (low.y + high.y) / 2},
                                 {high.x, (low.y + high.y) / 2}};
        for (const Point m : middles) {
            const bool marked =
                std::any_of(drawing.lines.begin(), drawing.lines.end(), [&](const Line &l) {
                    const double length = std::hypot(l.to.x - l.from.x, l.to.y - l.from.y);
                    return l.part == Part::Frame && l.layer == Layer::Thick &&
                           std::hypot(l.from.x - m.x, l.from.y - m.y) < 1e-6 &&
                           length * drawing.scale >= 5.0 - 1e-6;
                });
            EXPECT_TRUE(marked) << m.x << "," << m.y;
        }
    }
}

// The value the maker adjusts carries no tolerance; the other one does.
TEST(TechnicalRequirementsTest, SayWhichValueIsAdjusted) {
    struct Row {
        SpringTypeSign sign;
        const char *adjusted;
        const char *says;
    };
    const Row rows[] = {
        {kCompressionSpring, "调整值=H0",
         "调整值为自由高度 H0 (以保证工作载荷)；工作载荷、外径与两端面垂直度"},
        {kCompressionSpring, "调整值=载荷",
         "调整值为工作载荷 (仅供参考)；自由高度、外径与两端面垂直度"},
        {kExtensionSpring, "adjusted=free-height",
         "调整值为自由长度 H0 (以保证工作载荷)；工作载荷、外径的"},
        {kExtensionSpring, "adjusted=loads", "调整值为工作载荷 (仅供参考)；自由长度、外径的"},
    };
    for (const Row &row : rows) {
        DrawingInput input = Designed({"d", row.sign, 4, 28, 5, 100, 200, 300});
        ASSERT_FALSE(StoreTitleBlockField(input.details, row.adjusted));
        std::string all;
        for (const std::string &line : TechnicalRequirements(input)) {
            all += line + "\n";
        }
        EXPECT_NE(all.find(row.says), std::string::npos) << row.adjusted << "\n" << all;
        EXPECT_EQ(all.find("两端为圆钩环，两钩环在同一平面内。") != std::string::npos,
                  row.sign == kExtensionSpring);
    }
}

// A wrapped requirement keeps its indent in the SVG too: its continuation
// starts right of the item's number, not at the block's edge.
TEST(TechnicalRequirementsTest, WrappedLinesKeepTheirIndentInTheSvg) {
    const Drawing drawing =
        BuildSpringDrawing(Designed({"sample", kCompressionSpring, 4, 28, 5, 0, 0, 0}));
    double numbered = 1e300;
    double continued = 1e300;
    for (const Text &t : drawing.texts) {
        if (t.part == Part::Requirements && t.content != "技术要求") {
            const bool number = std::isdigit(static_cast<unsigned char>(t.content[0])) != 0;
            (number ? numbered : continued) = std::min(number ? numbered : continued, t.at.x);
            EXPECT_NE(t.content[0], ' ') << t.content; // SVG would collapse the spaces
        }
    }
    ASSERT_LT(continued, 1e300);
    EXPECT_GT((continued - numbered) * drawing.scale, 2.0);
    EXPECT_NE(DrawingSvg(drawing).find("技术要求"), std::string::npos);
}

} // namespace
