#include "../calc/design_fixtures.h"
#include "calculate_spring.h"
#include "dimension_shape.h"
#include "drawing_file.h"
#include "dxf_writer.h"
#include "spring_drawing.h"
#include "technical_requirements.h"
#include "text_measure.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace {

DrawingInput Calculated(SpringDesign design, SpringTypeSign sign, WorkingPointMode mode) {
    IgnoringListener listener;
    CalculateSpring(design, sign, mode, listener);
    DrawingInput input;
    input.design = design;
    input.typeSign = sign;
    input.date = "2005年06月01日";
    return input;
}

DrawingInput Sample() {
    return Calculated(SampleDesign(), kCompressionSpring, WorkingPointMode::KnownHeights);
}

DrawingInput Extension() {
    return Calculated(ExtensionExampleDesign(), kExtensionSpring, WorkingPointMode::KnownLoads);
}

// The sample scaled: every length times factor, so that the sheet and the
// scale must change with it.
DrawingInput SampleTimes(double factor) {
    SpringDesign d = SampleDesign();
    for (float SpringDesign::*length :
         {&SpringDesign::WireDiameter, &SpringDesign::MeanDiameter, &SpringDesign::Pitch,
          &SpringDesign::FreeHeight, &SpringDesign::WorkingHeight1, &SpringDesign::WorkingHeight2,
          &SpringDesign::WorkingHeight3}) {
        d.*length = static_cast<float>(d.*length * factor);
    }
    return Calculated(d, kCompressionSpring, WorkingPointMode::KnownHeights);
}

DrawingInput ShortSample() {
    SpringDesign d = SampleDesign();
    d.ActiveCoils = 3.0F;
    d.TotalCoils = 4.5F;
    d.FreeHeight = 30.0F;
    d.WorkingHeight1 = 28.0F;
    d.WorkingHeight2 = 26.0F;
    d.WorkingHeight3 = 22.0F;
    return Calculated(d, kCompressionSpring, WorkingPointMode::KnownHeights);
}

// Slim and long: the A4 sheet would take it only reduced, A3 at true size.
DrawingInput LongSample() {
    SpringDesign d = SampleDesign();
    d.FreeHeight = 300.0F;
    d.WorkingHeight1 = 290.0F;
    d.WorkingHeight2 = 280.0F;
    d.WorkingHeight3 = 260.0F;
    return Calculated(d, kCompressionSpring, WorkingPointMode::KnownHeights);
}

struct DrawingCase {
    const char *name;
    DrawingInput (*make)();
    const char *sheet;
    const char *scale;
    std::size_t sections;    // wire sections drawn
    std::size_t centreLines; // the axis and the rows of left-out coils
};

class SpringDrawingTest : public testing::TestWithParam<DrawingCase> {};

TEST_P(SpringDrawingTest, SheetScaleAndDimensionsMeasureTheirValues) {
    const DrawingCase &c = GetParam();
    const DrawingInput input = c.make();
    const Drawing drawing = BuildSpringDrawing(input);
    EXPECT_EQ(drawing.sheet.name, c.sheet);
    EXPECT_EQ(drawing.scaleText, c.scale);
    EXPECT_EQ(drawing.hatches.size(), c.sections);
    EXPECT_EQ(std::count_if(drawing.lines.begin(), drawing.lines.end(),
                            [](const Line &l) { return l.layer == Layer::Centre; }),
              static_cast<long>(c.centreLines));

    // Each dimension measures what its text says, and the design's sizes
    // are all there.
    const SpringDesign &d = input.design;
    std::vector<double> wanted = {
        d.WireDiameter,  d.MeanDiameter,   d.MeanDiameter + d.WireDiameter,
        d.FreeHeight,    d.WorkingHeight1, d.WorkingHeight2,
        d.WorkingHeight3};
    if (input.typeSign == kCompressionSpring) {
        wanted.push_back(d.SolidHeight);
    }
    ASSERT_EQ(drawing.dimensions.size(), wanted.size());
    for (const Dimension &dim : drawing.dimensions) {
        std::string text = dim.text;
        if (text.rfind("⌀", 0) == 0) {
            text = text.substr(3);
        }
        EXPECT_NEAR(std::stod(text), MeasuredLength(dim), 0.05 + 1e-9) << dim.text;
        const auto found = std::find_if(wanted.begin(), wanted.end(), [&](double v) {
            return std::fabs(v - MeasuredLength(dim)) < 1e-4;
        });
        ASSERT_NE(found, wanted.end()) << dim.text;
        wanted.erase(found);
    }

    // Nothing but the sheet's own border reaches beyond the frame.
    const Point low = SheetLowerLeft(drawing);
    const Point high = SheetUpperRight(drawing);
    const double margin = 5.0 / drawing.scale;
    for (const Line &l : drawing.lines) {
        if (l.part == Part::Frame) {
            continue;
        }
        for (const Point p : {l.from, l.to}) {
            EXPECT_GE(p.x, low.x + margin - 1e-9);
            EXPECT_LE(p.x, high.x - margin + 1e-9);
            EXPECT_GE(p.y, low.y + margin - 1e-9);
            EXPECT_LE(p.y, high.y - margin + 1e-9);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(
    Designs, SpringDrawingTest,
    testing::Values(DrawingCase{"sample", Sample, "A4", "1:1", 8, 3},
                    DrawingCase{"short", ShortSample, "A4", "1:1", 9, 1},
                    DrawingCase{"extension", Extension, "A4", "1:1", 8, 3},
                    DrawingCase{"tiny", [] { return SampleTimes(0.1); }, "A4", "10:1", 8, 3},
                    DrawingCase{"large", [] { return SampleTimes(6.0); }, "A3", "1:2", 8, 3},
                    DrawingCase{"long", LongSample, "A3", "1:1", 8, 3}),
    [](const auto &info) { return std::string(info.param.name); });

TEST(SpringDrawingTest, ExtensionHooksEndAtTheFreeLength) {
    const DrawingInput input = Extension();
    const Drawing drawing = BuildSpringDrawing(input);
    // The loops' inner edges are where the free length is measured.
    double innerLeft = 1e9;
    double innerRight = -1e9;
    const double inner = (input.design.MeanDiameter - input.design.WireDiameter) / 2.0;
    for (const Circle &c : drawing.circles) {
        if (std::fabs(c.radius - inner) < 1e-6) {
            innerLeft = std::min(innerLeft, c.centre.x - c.radius);
            innerRight = std::max(innerRight, c.centre.x + c.radius);
        }
    }
    EXPECT_NEAR(innerLeft, 0.0, 1e-6);
    EXPECT_NEAR(innerRight, input.design.FreeHeight, 1e-4);
}

// The coil edges of the section view, read from the geometry: every sloped
// thick line of the view rises to the right for a right-hand spring and
// falls for a left-hand one.
TEST(SpringDrawingTest, CoilEdgesShowTheHand) {
    for (DrawingInput (*make)() : {Sample, Extension, ShortSample}) {
        for (const bool leftHand : {false, true}) {
            DrawingInput input = make();
            input.details.leftHand = leftHand;
            const Drawing drawing = BuildSpringDrawing(input);
            int rising = 0;
            int falling = 0;
            for (const Line &l : drawing.lines) {
                const double dx = l.to.x - l.from.x;
                const double dy = l.to.y - l.from.y;
                if (l.part != Part::View || l.layer != Layer::Thick || std::fabs(dx) < 1e-9 ||
                    std::fabs(dy) < 1e-9) {
                    continue;
                }
                (dy / dx > 0.0 ? rising : falling) += 1;
            }
            EXPECT_GT(leftHand ? falling : rising, 0) << leftHand;
            EXPECT_EQ(leftHand ? rising : falling, 0) << leftHand;
        }
    }
}

TEST(SpringDrawingTest, SmallSectionsAreFilledBlack) {
    // 0.4 mm wire at 10:1 is 4 mm on paper: hatched; 0.15 mm at 10:1 is
    // 1.5 mm: filled.
    for (const auto &[factor, solid] : {std::pair{0.1, false}, std::pair{0.0375, true}}) {
        const Drawing drawing = BuildSpringDrawing(SampleTimes(factor));
        ASSERT_FALSE(drawing.hatches.empty());
        EXPECT_EQ(drawing.hatches.front().solid, solid) << factor;
    }
}

TEST(TechnicalRequirementsTest, NameTheChosenGradeWindingAndTreatments) {
    DrawingInput input = Sample();
    input.details.precisionGrade = 3;
    input.details.leftHand = true;
    input.details.shotPeening = true;
    input.details.surfaceTreatment = "发黑";
    input.details.heatTreatment = HeatTreatment{"卷制后去应力回火", "s"};
    std::string all;
    for (const std::string &line : TechnicalRequirements(input)) {
        all += line + "\n";
    }
    for (const char *wanted :
         {"左旋", "GB/T 1239.2 的 3 级", "热处理: 卷制后去应力回火。\n", "\n喷丸处理。\n", "发黑",
          "压并高度 Hb = 26 mm", "外径 D2 = 32", "F3 = 368.5 N"}) {
        EXPECT_NE(all.find(wanted), std::string::npos) << wanted;
    }
    EXPECT_EQ(all.find("强压"), std::string::npos);
    // A material the table does not know is treated as its supplier says.
    input.details.heatTreatment.reset();
    all.clear();
    for (const std::string &line : TechnicalRequirements(input)) {
        all += line + "\n";
    }
    EXPECT_NE(all.find("热处理: 按所用材料供方的规定。"), std::string::npos) << all;
    input.typeSign = kExtensionSpring;
    all.clear();
    for (const std::string &line : TechnicalRequirements(input)) {
        all += line;
    }
    EXPECT_NE(all.find("GB/T 1239.1 的 3 级"), std::string::npos);
}

TEST(DrawingDetailsTest, TitleBlockFieldsByChineseOrEnglishKey) {
    struct Row {
        const char *text;
        bool accepted;
    };
    const Row rows[] = {
        {"图号=TH-001", true}, {"designer=张三", true}, {"旋向=左", true},
        {"喷丸=是", true},     {"页码=3", false},       {"图号", false},
        {"=TH", false},        {"强压=也许", false},    {"winding=up", false},
    };
    DrawingDetails details;
    for (const Row &row : rows) {
        EXPECT_EQ(!StoreTitleBlockField(details, row.text).has_value(), row.accepted) << row.text;
    }
    EXPECT_EQ(details.title.drawingNumber, "TH-001");
    EXPECT_EQ(details.title.designer, "张三");
    EXPECT_TRUE(details.leftHand);
    EXPECT_TRUE(details.shotPeening);
    EXPECT_FALSE(StoreTitleBlockField(details, "单位=" + std::string(60, 'x')));
    EXPECT_TRUE(StoreTitleBlockField(details, "单位=" + std::string(61, 'x')));
    for (const char *grade : {"0", "4", "2.5", ""}) {
        EXPECT_TRUE(StorePrecisionGrade(details, grade).has_value()) << grade;
    }
}

TEST(DxfTextTest, PercentDiameterAndControlCharacters) {
    const std::pair<const char *, const char *> rows[] = {{"⌀28", "%%c28"},
                                                          {"50%", "50%%%"},
                                                          {"a\nb\tc", "abc"},
                                                          {"弹簧", "弹簧"},
                                                          {"a\x1B[1m", "a[1m"},
                                                          {"a\xC2\x85"
                                                           "b",
                                                           "ab"},
                                                          {"\xFF", "\xEF\xBF\xBD"},
                                                          {"x\xEF\xBF\xBE", "x"}};
    for (const auto &[text, dxf] : rows) {
        EXPECT_EQ(DxfText(text), dxf) << text;
    }
}

TEST(DxfCodePageTest, ChineseInGbkOthersAsAutoCadEscapes) {
    const std::pair<const char *, const char *> rows[] = {
        {"  1\nAC1015", "  1\nAC1015"},
        {"弹簧", "\xB5\xAF\xBB\xC9"},
        {"dm³", "dm\\U+00B3"},
        // Beyond the BMP: the two UTF-16 halves, as the four-digit escape can hold them.
        {"\xF0\x9F\x98\x80", "\\U+D83D\\U+DE00"},
        // Not UTF-8 (a GBK name, a stray byte, a cut sequence): "?" a byte, the line
        // break of the next group code kept.
        {"\xCD\xF5\xE8\xA4\n  0", "????\n  0"},
        {"\xFF\n  1", "?\n  1"},
        {"\xE4\xB8\n  7", "??\n  7"}};
    for (const auto &[utf8, written] : rows) {
        EXPECT_EQ(DxfCodePage936(utf8), written) << utf8;
    }
    const std::string r2000 = DrawingDxf(BuildSpringDrawing(Sample()), DxfVersion::R2000);
    EXPECT_NE(r2000.find("AC1015"), std::string::npos);
    EXPECT_EQ(r2000.find("AC1021"), std::string::npos);
}

TEST(TextMeasureTest, WrappedLinesKeepToTheWidth) {
    const std::string text =
        "载荷、外径、自由高度与两端面垂直度的极限偏差按 GB/T 1239.2 的 2 级精度，"
        "刚度 k = 23.032 N/mm，成形后去应力回火。";
    for (double width = 40.0; width <= 160.0; width += 1.0) {
        const std::vector<std::string> lines = WrapText(text, 3.5, width);
        std::string joined;
        for (const std::string &line : lines) {
            EXPECT_LE(TextWidth(line, 3.5), width + 3.5) << line; // one punctuation may hang
            EXPECT_NE(line.rfind("，", 0), 0U) << line;
            // "k = 23.032" stays on one line: no line starts or ends at the "=".
            EXPECT_NE(line.front(), '=') << line;
            EXPECT_NE(line.back(), '=') << line;
            joined += line;
        }
        // Only a space where a line breaks may be dropped; no number is split.
        const auto withoutSpaces = [](std::string t) {
            t.erase(std::remove(t.begin(), t.end(), ' '), t.end());
            return t;
        };
        EXPECT_EQ(withoutSpaces(joined), withoutSpaces(text));
        for (const std::string &line : lines) {
            EXPECT_NE(line.back(), '.') << line;
        }
    }
}

TEST(TextMeasureTest, AWordWiderThanTheLineBreaksBetweenItsLetters) {
    const std::string grade(200, 'M');
    for (const double width : {20.0, 75.0}) {
        std::string joined;
        for (const std::string &line : WrapText("材料: " + grade + "。", 3.5, width)) {
            EXPECT_LE(TextWidth(line, 3.5), width + 3.5) << line;
            joined += line;
        }
        EXPECT_EQ(joined, "材料: " + grade + "。");
    }
}

// However long the material, every text stays on the sheet, or the drawing
// is refused before it is drawn.
TEST(SpringDrawingTest, ALongMaterialStaysOnTheSheetOrIsRefused) {
    for (const std::size_t length : {40U, 150U, 600U, 100000U}) {
        DrawingInput input = Sample();
        input.design.Material = std::string(length, 'X');
        if (DrawingRoomProblem(input)) {
            EXPECT_GE(length, 600U);
            continue;
        }
        const Drawing drawing = BuildSpringDrawing(input);
        const Point low = SheetLowerLeft(drawing);
        const Point high = SheetUpperRight(drawing);
        for (const Text &text : drawing.texts) {
            const double width = TextWidth(text.content, text.height);
            const double left = text.align == TextAlign::Left     ? text.at.x
                                : text.align == TextAlign::Centre ? text.at.x - width / 2.0
                                                                  : text.at.x - width;
            EXPECT_GE(left, low.x) << length << ": " << text.content;
            EXPECT_LE(left + width, high.x) << length << ": " << text.content;
            EXPECT_LE(text.at.y + text.height, high.y) << length << ": " << text.content;
        }
    }
}

TEST(WriteSpringDrawingTest, OnlyDxfOrSvgAndAFailureKeepsTheOldFile) {
    const auto folder =
        std::filesystem::temp_directory_path() /
        ("orsela-drawing-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()));
    std::filesystem::remove_all(folder);
    std::filesystem::create_directories(folder);
    const std::string old = (folder / "old.pdf").string();
    std::ofstream(old) << "old";
    EXPECT_TRUE(WriteSpringDrawing(old, Sample()).has_value());
    std::ostringstream kept;
    kept << std::ifstream(old).rdbuf();
    EXPECT_EQ(kept.str(), "old");
    EXPECT_FALSE(WriteSpringDrawing((folder / "s.DXF").string(), Sample()).has_value());
    std::ostringstream written;
    written << std::ifstream(folder / "s.DXF").rdbuf();
    EXPECT_EQ(written.str().rfind("  0\nSECTION", 0), 0U);
    std::filesystem::remove_all(folder);
}

} // namespace
