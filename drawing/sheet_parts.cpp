#include "sheet_parts.h"

#include "text_measure.h"

#include <algorithm>

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

void PaperLine(Drawing &drawing, double x0, double y0, double x1, double y1, Part part) {
    drawing.lines.push_back(
        {OnSheet(drawing, x0, y0), OnSheet(drawing, x1, y1), Layer::Thin, part});
}

// Text centred in a cell of the title block, shrunk to fit its width.
void CellText(Drawing &drawing, const SheetBox &block, double x0, double y0, double x1, double y1,
              const std::string &text, double height) {
    if (text.empty()) {
        return;
    }
    const double room = x1 - x0 - 1.0;
    const double width = TextWidth(text, height);
    if (width > room && width > 0.0) {
        height *= room / width;
    }
    drawing.texts.push_back({OnSheet(drawing, block.left + (x0 + x1) / 2.0,
                                     block.bottom + (y0 + y1) / 2.0 - height / 2.0),
                             text, height / drawing.scale, TextAlign::Centre, 0.0, Layer::Text,
                             Part::TitleBlock});
}

// The material's cell: one line at its height when it fits, else wrapped in
// smaller lines (a long grade without spaces too), and only as a last resort
// shrunk, so that no material runs out of its cell.
void MaterialCellText(Drawing &drawing, const SheetBox &block, double x0, double y0, double x1,
                      double y1, const std::string &text) {
    const double room = x1 - x0 - 1.0;
    if (TextWidth(text, 5.0) <= room) {
        CellText(drawing, block, x0, y0, x1, y1, text, 5.0);
        return;
    }
    constexpr double kLineSpacing = 1.4;
    std::vector<std::string> lines;
    double height = 3.5;
    for (const double candidate : {3.5, 2.5}) {
        height = candidate;
        lines = WrapText(text, height, room);
        if (static_cast<double>(lines.size()) * height * kLineSpacing <= y1 - y0 - 1.0) {
            break;
        }
    }
    const double step =
        std::min(height * kLineSpacing,
                 (y1 - y0 - 1.0) / static_cast<double>(std::max<std::size_t>(lines.size(), 1)));
    const double top = (y0 + y1) / 2.0 + step * static_cast<double>(lines.size()) / 2.0;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const double bottom = top - step * static_cast<double>(i + 1);
        CellText(drawing, block, x0, bottom, x1, bottom + step, lines[i],
                 std::min(height, step / kLineSpacing));
    }
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

std::vector<std::string> RequirementLines(const std::vector<std::string> &items, double width) {
    std::vector<std::string> lines;
    for (std::size_t i = 0; i < items.size(); ++i) {
        const std::string number = std::to_string(i + 1) + ". ";
        const double indent = TextWidth(number, kRequirementTextHeight);
        std::vector<std::string> wrapped =
            WrapText(items[i], kRequirementTextHeight, width - indent);
        for (std::size_t k = 0; k < wrapped.size(); ++k) {
            // Continuation lines keep the indent of the item's text.
            lines.push_back((k == 0 ? number : std::string("   ")) + wrapped[k]);
        }
    }
    return lines;
}

double RequirementsHeight(std::size_t lineCount) {
    return 9.0 + static_cast<double>(lineCount) * kRequirementLineStep;
}

SheetBox RequirementsBox(const SheetFormat &sheet, std::size_t lineCount) {
    const SheetBox title = TitleBlockBox(sheet);
    return {title.left + 5.0, title.top() + 5.0, title.width - 10.0, RequirementsHeight(lineCount)};
}

Point OnSheet(const Drawing &drawing, double x, double y) {
    return {drawing.sheetOrigin.x + x / drawing.scale, drawing.sheetOrigin.y + y / drawing.scale};
}

void AddFrame(Drawing &drawing) {
    Rect(drawing, 0.0, 0.0, drawing.sheet.width, drawing.sheet.height, Layer::Thin, Part::Frame);
    const SheetBox frame = InnerFrame(drawing.sheet);
    Rect(drawing, frame.left, frame.bottom, frame.right(), frame.top(), Layer::Thick, Part::Frame);
}

void AddRequirements(Drawing &drawing, const std::vector<std::string> &lines) {
    const SheetBox box = RequirementsBox(drawing.sheet, lines.size());
    const double unit = 1.0 / drawing.scale;
    drawing.texts.push_back({OnSheet(drawing, box.left, box.top() - 5.0), "技术要求", 5.0 * unit,
                             TextAlign::Left, 0.0, Layer::Text, Part::Requirements});
    double y = box.top() - 9.0 - kRequirementTextHeight;
    for (const std::string &line : lines) {
        drawing.texts.push_back({OnSheet(drawing, box.left + 2.0, y), line,
                                 kRequirementTextHeight * unit, TextAlign::Left, 0.0, Layer::Text,
                                 Part::Requirements});
        y -= kRequirementLineStep;
    }
}

void AddTitleBlock(Drawing &drawing, const DrawingInput &input) {
    const SheetBox b = TitleBlockBox(drawing.sheet);
    const TitleBlockFields &f = input.details.title;
    Rect(drawing, b.left, b.bottom, b.right(), b.top(), Layer::Thick, Part::TitleBlock);
    const auto hline = [&](double x0, double x1, double y) {
        PaperLine(drawing, b.left + x0, b.bottom + y, b.left + x1, b.bottom + y, Part::TitleBlock);
    };
    const auto vline = [&](double x, double y0, double y1) {
        PaperLine(drawing, b.left + x, b.bottom + y0, b.left + x, b.bottom + y1, Part::TitleBlock);
    };
    const auto cell = [&](double x0, double y0, double x1, double y1, const std::string &text,
                          double height = 3.5) {
        CellText(drawing, b, x0, y0, x1, y1, text, height);
    };

    // Left: the material, then the signature area (role, name, signature, date).
    vline(100.0, 0.0, 56.0);
    for (const double y : {7.0, 14.0, 21.0, 28.0, 35.0}) {
        hline(0.0, 100.0, y);
    }
    hline(0.0, 100.0, 42.0);
    vline(20.0, 0.0, 56.0);
    for (const double x : {45.0, 70.0}) {
        vline(x, 0.0, 42.0);
    }
    cell(0.0, 42.0, 20.0, 56.0, "材料");
    MaterialCellText(drawing, b, 20.0, 42.0, 100.0, 56.0, input.design.Material);
    cell(20.0, 35.0, 45.0, 42.0, "姓名");
    cell(45.0, 35.0, 70.0, 42.0, "签名");
    cell(70.0, 35.0, 100.0, 42.0, "日期");
    const std::string *names[] = {&f.designer, &f.checker, &f.approver, nullptr, nullptr};
    const char *roles[] = {"设计", "校对", "审核", "工艺", "批准"};
    for (int i = 0; i < 5; ++i) {
        const double y1 = 35.0 - 7.0 * i;
        cell(0.0, y1 - 7.0, 20.0, y1, roles[i]);
        if (names[i]) {
            cell(20.0, y1 - 7.0, 45.0, y1, *names[i]);
        }
    }
    cell(70.0, 28.0, 100.0, 35.0, input.date, 2.5);

    // Right: the name and code area and the other area.
    hline(100.0, 180.0, 42.0);
    hline(100.0, 180.0, 28.0);
    hline(100.0, 180.0, 14.0);
    hline(100.0, 180.0, 7.0);
    vline(115.0, 14.0, 28.0);
    for (const double x : {114.0, 130.0, 144.0, 160.0}) {
        vline(x, 7.0, 14.0);
    }
    cell(100.0, 42.0, 180.0, 56.0, f.company, 5.0);
    const bool compression = input.typeSign == kCompressionSpring;
    const std::string name = !f.partName.empty() ? f.partName
                             : compression       ? "圆柱螺旋压缩弹簧"
                                                 : "圆柱螺旋拉伸弹簧";
    cell(100.0, 28.0, 180.0, 42.0, name, 7.0);
    cell(100.0, 14.0, 115.0, 28.0, "图号");
    cell(115.0, 14.0, 180.0, 28.0, f.drawingNumber, 5.0);
    cell(100.0, 7.0, 114.0, 14.0, "比例");
    cell(114.0, 7.0, 130.0, 14.0, drawing.scaleText);
    cell(130.0, 7.0, 144.0, 14.0, "数量");
    cell(144.0, 7.0, 160.0, 14.0, f.quantity);
    cell(160.0, 7.0, 180.0, 14.0, drawing.sheet.name);
    cell(100.0, 0.0, 180.0, 7.0, "共 1 张  第 1 张");
}
