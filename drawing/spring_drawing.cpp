#include "spring_drawing.h"

#include "characteristic_line.h"
#include "finite_or_zero.h"
#include "sheet_parts.h"
#include "spring_view.h"
#include "technical_requirements.h"
#include "title_block.h"

#include <algorithm>
#include <cmath>

namespace {

// Paper mm around the view and the characteristic line for their texts and
// dimensions.
constexpr double kRoomLeft = 18.0;  // the outer diameter's dimension
constexpr double kRoomRight = 18.0; // the mean diameter's dimension
constexpr double kRoomBelow = 17.0; // H0
constexpr double kRoomAbove = 12.0; // d's leader

SheetBox ViewRegion(const SheetFormat &sheet, std::size_t requirementLines, double raised) {
    const SheetBox frame = InnerFrame(sheet);
    const SheetBox requirements = RequirementsBox(sheet, requirementLines, raised);
    const double bottom = requirements.top() + 4.0;
    return {frame.left + 4.0, bottom, frame.width - 8.0, frame.top() - 4.0 - bottom};
}

// The paper the content takes at a scale: width and height.
std::pair<double, double> ContentSize(const ViewExtent &view, double characteristicRight,
                                      int heightDimensions, double factor) {
    const double right = std::max(view.right, characteristicRight);
    const double width = (right - view.left) * factor + kRoomLeft + kRoomRight;
    const double height = 2.0 * view.radius * factor + kRoomBelow + kRoomAbove +
                          heightDimensions * kHeightDimensionStep + 4.0 + kCharacteristicRise +
                          kCharacteristicLabels;
    return {width, height};
}

const Scale *LargestFitting(const SheetBox &region, const ViewExtent &view, double right,
                            int dimensions) {
    for (const Scale &scale : kScales) {
        const auto [width, height] = ContentSize(view, right, dimensions, scale.factor);
        if (width <= region.width && height <= region.height) {
            return &scale;
        }
    }
    return nullptr;
}

// On A3 across, the region left of the requirements and the title block,
// the frame's full height, when the requirements leave too little above them.
SheetBox BesideRequirements(const SheetFormat &sheet) {
    const SheetBox frame = InnerFrame(sheet);
    const SheetBox title = TitleBlockBox(sheet);
    return {frame.left + 4.0, frame.bottom + 4.0, title.left - frame.left - 8.0,
            frame.height - 8.0};
}

Placement Place(const ViewExtent &view, double right, int dimensions, std::size_t lineCount,
                double raised) {
    Placement a4{SheetA4(), nullptr, ViewRegion(SheetA4(), lineCount, raised)};
    Placement a3{SheetA3(), nullptr, ViewRegion(SheetA3(), lineCount, raised)};
    a4.scale = LargestFitting(a4.region, view, right, dimensions);
    a3.scale = LargestFitting(a3.region, view, right, dimensions);
    const SheetBox beside = BesideRequirements(SheetA3());
    if (const Scale *scale = LargestFitting(beside, view, right, dimensions);
        scale && (!a3.scale || scale->factor > a3.scale->factor)) {
        a3.scale = scale;
        a3.region = beside;
    }
    return ChooseSheet(a4, a3);
}

} // namespace

Point SheetLowerLeft(const Drawing &drawing) {
    return drawing.sheetOrigin;
}

Point SheetUpperRight(const Drawing &drawing) {
    return {drawing.sheetOrigin.x + drawing.sheet.width / drawing.scale,
            drawing.sheetOrigin.y + drawing.sheet.height / drawing.scale};
}

std::optional<std::string> DrawingRoomProblem(const DrawingInput &input) {
    const std::size_t lines =
        RequirementLines(TechnicalRequirements(input), TitleBlockBox(SheetA4()).width - 30.0)
            .size();
    // The view and the characteristic line must fit beside the requirements
    // at one of the preferred scales on A4 or A3.
    const ViewExtent view = SpringViewExtent(input.design, input.typeSign);
    const double right = FiniteOrZero(CharacteristicRight(input.design, input.typeSign));
    const int dimensions = HeightDimensionCount(input.typeSign);
    const double raised = RevisionAreaHeight(input.details);
    const auto fits = [&](std::size_t count) {
        return LargestFitting(ViewRegion(SheetA4(), count, raised), view, right, dimensions) ||
               LargestFitting(ViewRegion(SheetA3(), count, raised), view, right, dimensions) ||
               (RequirementsBox(SheetA3(), count, raised).top() <=
                    InnerFrame(SheetA3()).top() - 4.0 &&
                LargestFitting(BesideRequirements(SheetA3()), view, right, dimensions));
    };
    // A spring too large for every scale is drawn at the smallest (see
    // Place); only the requirements' length is refused here.
    if (fits(lines) || !fits(0)) {
        return std::nullopt;
    }
    std::size_t room = 0;
    while (room < lines && fits(room + 1)) {
        ++room;
    }
    return "弹簧材料太长, 图样放不下: 技术要求换行后需要 " + std::to_string(lines) +
           " 行, 图纸上只容得下 " + std::to_string(room) + " 行";
}

std::optional<DrawingRefusal> SpringDrawingProblem(const DrawingInput &input) {
    if (auto problem = DrawingRoomProblem(input)) {
        return DrawingRefusal{"--material", *problem};
    }
    return TitleBlockProblem(input);
}

Drawing BuildSpringDrawing(const DrawingInput &input) {
    const SpringDesign &design = input.design;
    const ViewExtent view = SpringViewExtent(design, input.typeSign);
    const double right = FiniteOrZero(CharacteristicRight(design, input.typeSign));
    const int dimensions = HeightDimensionCount(input.typeSign);
    const std::vector<RequirementLine> lines =
        RequirementLines(TechnicalRequirements(input), TitleBlockBox(SheetA4()).width - 30.0);
    const double raised = RevisionAreaHeight(input.details);
    const Placement placement = Place(view, right, dimensions, lines.size(), raised);

    Drawing drawing;
    drawing.sheet = placement.sheet;
    drawing.scale = placement.scale->factor;
    drawing.scaleText = placement.scale->text;
    // The spring's left end on its axis is the model origin; place it on
    // the sheet so that the content sits centred across the region, the
    // view at its bottom.
    const double s = drawing.scale;
    const auto [width, height] = ContentSize(view, right, dimensions, s);
    const SheetBox &region = placement.region;
    const double left = region.left + std::max(0.0, (region.width - width) / 2.0) + kRoomLeft;
    const double axisX = left - view.left * s;
    const double axisY = region.bottom + std::max(0.0, (region.height - height) / 2.0) +
                         kRoomBelow + view.radius * s;
    drawing.sheetOrigin = {-axisX / s, -axisY / s};

    AddFrame(drawing);
    AddSpringView(drawing, design, input.typeSign, input.details.leftHand);
    const double baseY = view.radius + (kRoomAbove + dimensions * kHeightDimensionStep + 4.0) / s;
    AddCharacteristicLine(drawing, design, input.typeSign, baseY);
    AddRequirements(drawing, lines, raised);
    AddTitleBlock(drawing, input);
    return drawing;
}
