#include "sheet_parts.h"

#include "text_measure.h"

#include <iterator>

namespace {

constexpr double kFilingMargin = 25.0; // a
constexpr double kMargin = 5.0;        // c
constexpr double kTitleWidth = 180.0;
constexpr double kTitleHeight = 56.0;

void Rect(Drawing &drawing, double x0, double y0, double x1, double y1, Layer layer, Part part) {
    const Point corners[] = {OnSheet(drawing, x0, y0), OnSheet(drawing, x1, y0),
                             OnSheet(drawing, x1, y1), OnSheet(drawing, x0, y1)};
    for (int i = 0; i < 4; ++i) {
        drawing.lines.push_back({corners[i], corners[(i + 1) % 4], layer, part});
    }
}

void PaperLine(Drawing &drawing, double x0, double y0, double x1, double y1, Layer layer) {
    drawing.lines.push_back(
        {OnSheet(drawing, x0, y0), OnSheet(drawing, x1, y1), layer, Part::Frame});
}

// GB/T 14689 (centring marks): a thick line at the middle of each side, from
// the sheet's edge to 5 mm inside the frame, stopped at the frame where the
// title block lies.
void AddCentringMarks(Drawing &drawing) {
    constexpr double kInside = 5.0;
    const SheetBox frame = InnerFrame(drawing.sheet);
    const SheetBox title = TitleBlockBox(drawing.sheet);
    const double w = drawing.sheet.width;
    const double h = drawing.sheet.height;
    const bool underTitle = w / 2.0 >= title.left && w / 2.0 <= title.right();
    PaperLine(drawing, w / 2.0, 0.0, w / 2.0, frame.bottom + (underTitle ? 0.0 : kInside),
              Layer::Thick);
    PaperLine(drawing, w / 2.0, h, w / 2.0, frame.top() - kInside, Layer::Thick);
    PaperLine(drawing, 0.0, h / 2.0, frame.left + kInside, h / 2.0, Layer::Thick);
    PaperLine(drawing, w, h / 2.0, frame.right() - kInside, h / 2.0, Layer::Thick);
}

} // namespace

SheetFormat SheetA4() {
    return {"A4", 210.0, 297.0};
}

SheetFormat SheetA3() {
    return {"A3", 420.0, 297.0};
}

SheetBox InnerFrame(const SheetFormat &sheet) {
    return {kFilingMargin, kMargin, sheet.width - kFilingMargin - kMargin,
            sheet.height - 2.0 * kMargin};
}

SheetBox TitleBlockBox(const SheetFormat &sheet) {
    const SheetBox frame = InnerFrame(sheet);
    return {frame.right() - kTitleWidth, frame.bottom, kTitleWidth, kTitleHeight};
}

std::vector<RequirementLine> RequirementLines(const std::vector<std::string> &items, double width) {
    std::vector<RequirementLine> lines;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string number = std::to_string(i + 1) + ". ";
        const double indent = TextWidth(number, kRequirementTextHeight);
        std::vector<std::string> wrapped =
            WrapText(items[i], kRequirementTextHeight, width - indent);
        for (std::size_t k = 0; k < wrapped.size(); ++k) {
            // Continuation lines start where the item's text starts, placed
            // there rather than by spaces, which SVG would collapse.
            lines.push_back(k == 0 ? RequirementLine{number + wrapped[k], 0.0}
                                   : RequirementLine{wrapped[k], indent});
        }
    }
    return lines;
}

double RequirementsHeight(std::size_t lineCount) {
    return 9.0 + static_cast<double>(lineCount) * kRequirementLineStep;
}

SheetBox RequirementsBox(const SheetFormat &sheet, std::size_t lineCount, double raised) {
    const SheetBox title = TitleBlockBox(sheet);
    return {title.left + 5.0, title.top() + raised + 5.0, title.width - 10.0,
            RequirementsHeight(lineCount)};
}

Point OnSheet(const Drawing &drawing, double x, double y) {
    return {drawing.sheetOrigin.x + x / drawing.scale, drawing.sheetOrigin.y + y / drawing.scale};
}

void AddFrame(Drawing &drawing) {
    Rect(drawing, 0.0, 0.0, drawing.sheet.width, drawing.sheet.height, Layer::Thin, Part::Frame);
    const SheetBox frame = InnerFrame(drawing.sheet);
    Rect(drawing, frame.left, frame.bottom, frame.right(), frame.top(), Layer::Thick, Part::Frame);
    AddCentringMarks(drawing);
}

void AddRequirements(Drawing &drawing, const std::vector<RequirementLine> &lines, double raised) {
    const SheetBox box = RequirementsBox(drawing.sheet, lines.size(), raised);
    const double unit = 1.0 / drawing.scale;
    drawing.texts.push_back({OnSheet(drawing, box.left, box.top() - 5.0), "技术要求", 5.0 * unit,
                             TextAlign::Left, 0.0, Layer::Text, Part::Requirements});
    double y = box.top() - 9.0 - kRequirementTextHeight;
    for (const RequirementLine &line : lines) {
        drawing.texts.push_back({OnSheet(drawing, box.left + 2.0 + line.indent, y), line.text,
                                 kRequirementTextHeight * unit, TextAlign::Left, 0.0, Layer::Text,
                                 Part::Requirements});
        y -= kRequirementLineStep;
    }
}

Placement ChooseSheet(const Placement &a4, Placement a3) {
    if (a4.scale &&
        (a4.scale->factor >= 1.0 || !a3.scale || a3.scale->factor <= a4.scale->factor)) {
        return a4;
    }
    if (!a3.scale) {
        a3.scale = &kScales[std::size(kScales) - 1];
    }
    return a3;
}
