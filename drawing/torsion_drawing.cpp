#include "torsion_drawing.h"

#include "drawing_svg.h"
#include "dxf_writer.h"
#include "sheet_parts.h"
#include "title_block.h"
#include "torsion_characteristic.h"
#include "torsion_requirements.h"
#include "torsion_view.h"

#include <algorithm>

namespace {

// Paper mm around the views for their dimensions and between them.
constexpr double kRoomLeft = 26.0;  // the outer diameter's and l1's dimensions
constexpr double kRoomRight = 16.0; // the mean diameter's dimension
constexpr double kRoomAbove = 14.0; // the free length's dimension
constexpr double kRoomBelow = 6.0;
constexpr double kBetweenViews = 24.0;
constexpr double kEndRoom = 12.0; // the end view's dimensions, either side

struct Content {
    TorsionViewBox front;
    TorsionViewBox end;
    double width(double s) const {
        return kRoomLeft + front.width() * s + kRoomRight + kBetweenViews + end.width() * s +
               2.0 * kEndRoom;
    }
    double viewsHeight(double s) const {
        // Both views stand on the one axis.
        return (top() - std::min(front.bottom, end.bottom)) * s + kRoomAbove + kRoomBelow;
    }
    double height(double s) const { return viewsHeight(s) + kTorsionCharacteristicHeight; }
    double top() const { return std::max(front.top, end.top); }
};

SheetBox Region(const SheetFormat &sheet, std::size_t lines, double raised) {
    const SheetBox frame = InnerFrame(sheet);
    const double bottom = RequirementsBox(sheet, lines, raised).top() + 4.0;
    return {frame.left + 4.0, bottom, frame.width - 8.0, frame.top() - 4.0 - bottom};
}

const Scale *LargestFitting(const SheetBox &region, const Content &content) {
    for (const Scale &scale : kScales) {
        if (content.width(scale.factor) <= region.width &&
            content.height(scale.factor) <= region.height) {
            return &scale;
        }
    }
    return nullptr;
}

struct Placement {
    SheetFormat sheet;
    const Scale *scale = nullptr;
    SheetBox region;
};

Placement Place(const Content &content, std::size_t lines, double raised) {
    Placement a4{SheetA4(), nullptr, Region(SheetA4(), lines, raised)};
    Placement a3{SheetA3(), nullptr, Region(SheetA3(), lines, raised)};
    a4.scale = LargestFitting(a4.region, content);
    a3.scale = LargestFitting(a3.region, content);
    if (a4.scale &&
        (a4.scale->factor >= 1.0 || !a3.scale || a3.scale->factor <= a4.scale->factor)) {
        return a4;
    }
    if (a3.scale) {
        return a3;
    }
    a3.scale = &kScales[std::size(kScales) - 1]; // the smallest, whatever it overlaps
    return a3;
}

std::vector<RequirementLine> Lines(const TorsionDrawingInput &input) {
    return RequirementLines(TorsionRequirements(input), TitleBlockBox(SheetA4()).width - 30.0);
}

} // namespace

DrawingInput TitleBlockInputOf(const TorsionDrawingInput &input) {
    DrawingInput drawing;
    drawing.design.Material = input.material;
    drawing.checks = input.checks;
    if (input.spring.mass) {
        drawing.mass = *input.spring.mass;
    }
    drawing.materialStandard = input.materialStandard;
    drawing.date = input.date;
    drawing.details = input.details;
    if (drawing.details.title.partName.empty()) {
        drawing.details.title.partName = "圆柱螺旋扭转弹簧";
    }
    return drawing;
}

std::optional<std::string> TorsionDrawingProblem(const TorsionDrawingInput &input) {
    if (auto refusal = TitleBlockProblem(TitleBlockInputOf(input))) {
        return refusal->option + ": " + refusal->message;
    }
    const std::size_t lines = Lines(input).size();
    const double raised = RevisionAreaHeight(input.details);
    if (RequirementsBox(SheetA3(), lines, raised).top() > InnerFrame(SheetA3()).top() - 60.0) {
        return "--material: 技术要求换行后共 " + std::to_string(lines) + " 行, 图纸上放不下";
    }
    return std::nullopt;
}

Drawing BuildTorsionDrawing(const TorsionDrawingInput &input) {
    const bool leftHand = input.details.leftHand;
    const Content content{TorsionFrontBox(input.inputs, input.spring, leftHand),
                          TorsionEndBox(input.inputs, leftHand)};
    const std::vector<RequirementLine> lines = Lines(input);
    const double raised = RevisionAreaHeight(input.details);
    const Placement placement = Place(content, lines.size(), raised);

    Drawing drawing;
    drawing.sheet = placement.sheet;
    drawing.scale = placement.scale->factor;
    drawing.scaleText = placement.scale->text;
    // The front view's left end on the axis is the model origin; the content
    // sits centred across the region, the views at its bottom, the
    // characteristic above them.
    const double s = drawing.scale;
    const SheetBox &region = placement.region;
    const double left = region.left + std::max(0.0, (region.width - content.width(s)) / 2.0);
    const double bottom = region.bottom + std::max(0.0, (region.height - content.height(s)) / 2.0);
    const double viewsTop = bottom + content.viewsHeight(s);
    const double axisX = left + kRoomLeft - content.front.left * s;
    const double axisY = viewsTop - kRoomAbove - content.top() * s;
    drawing.sheetOrigin = {-axisX / s, -axisY / s};

    AddFrame(drawing);
    AddTorsionFrontView(drawing, input.inputs, input.spring, input.details.leftHand);
    const double endCentre =
        content.front.right + (kRoomRight + kBetweenViews + kEndRoom) / s - content.end.left;
    AddTorsionEndView(drawing, input.inputs, input.spring, endCentre, input.details.leftHand);
    AddTorsionCharacteristic(drawing, input.spring, left, viewsTop);
    AddRequirements(drawing, lines, raised);
    AddTitleBlock(drawing, TitleBlockInputOf(input));
    return drawing;
}

std::string TorsionDrawingBytes(const TorsionDrawingInput &input, bool dxf) {
    const Drawing drawing = BuildTorsionDrawing(input);
    if (!dxf) {
        return DrawingSvg(drawing);
    }
    if (input.details.dxfVersion == DxfVersion::R2000) {
        return DxfCodePage936(DrawingDxf(drawing, DxfVersion::R2000));
    }
    return DrawingDxf(drawing, DxfVersion::R2007);
}
