#include "title_block.h"

#include "sheet_parts.h"
#include "text_measure.h"

#include <fmt/format.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <vector>

namespace {

// GB/T 14691: no Chinese character below 3.5 mm.
constexpr double kSmallestLettering = 3.5;
constexpr double kLineSpacing = 1.4; // baseline to baseline, in text heights
constexpr double kCellPadding = 1.0; // paper mm kept free inside a cell
// A Chinese character is as wide as the font's em, which the SVG sets at 1.1
// times the text height: measured so, no font runs out of its cell.
constexpr double kGlyphEm = 1.1;
constexpr double kRevisionRow = 6.0; // three rows to fill in by hand and the captions

// A cell of the block, in paper mm from the block's lower-left corner.
struct Cell {
    double x0, y0, x1, y1;
    std::string text;
    double height = 3.5;         // the height the text is set at when it fits
    const char *field = nullptr; // the field's name when the user gives it
    const char *option = "--title-block";
};

// The lines of a cell's text at the largest height from its own down to
// 3.5 mm at which, wrapped, it fits the cell; nothing when it does not.
struct Fitted {
    std::vector<std::string> lines;
    double height = 0.0;
};
std::optional<Fitted> Fit(const Cell &cell) {
    const double width = cell.x1 - cell.x0 - 2.0 * kCellPadding;
    const double room = cell.y1 - cell.y0 - kCellPadding;
    if (TextWidth(cell.text, cell.height * kGlyphEm) <= width) {
        return Fitted{{cell.text}, cell.height};
    }
    for (double height = cell.height; height >= kSmallestLettering - 1e-9; height -= 0.5) {
        std::vector<std::string> lines = WrapText(cell.text, height * kGlyphEm, width);
        const bool narrow = std::all_of(lines.begin(), lines.end(), [&](const std::string &l) {
            return TextWidth(l, height * kGlyphEm) <= width + 1e-9;
        });
        const double tall = height + static_cast<double>(lines.size() - 1) * height * kLineSpacing;
        if (narrow && tall <= room + 1e-9) {
            return Fitted{std::move(lines), height};
        }
    }
    return std::nullopt;
}

// How many Chinese characters the cell holds at 3.5 mm.
int Capacity(const Cell &cell) {
    const double width = cell.x1 - cell.x0 - 2.0 * kCellPadding;
    const double room = cell.y1 - cell.y0 - kCellPadding;
    const int perLine =
        static_cast<int>(std::floor(width / (kSmallestLettering * kGlyphEm) + 1e-9));
    const int lines =
        1 + static_cast<int>(std::floor(
                (room - kSmallestLettering) / (kSmallestLettering * kLineSpacing) + 1e-9));
    return perLine * std::max(lines, 1);
}

// The cells of the block. The left part: the material, then the signature
// area (role, name, signature, date); the right part: the unit, the part's
// name, the drawing number, the stage mark, mass, scale and quantity.
std::vector<Cell> Cells(const DrawingInput &input, const std::string &scale,
                        const std::string &sheet) {
    const TitleBlockFields &f = input.details.title;
    const bool compression = input.typeSign == kCompressionSpring;
    const std::string name = !f.partName.empty() ? f.partName
                             : compression       ? "圆柱螺旋压缩弹簧"
                                                 : "圆柱螺旋拉伸弹簧";
    std::vector<Cell> cells = {
        {0, 42, 15, 56, "材料"},
        {15, 42, 100, 56, input.design.Material, 5.0, "材料", "--material"},
        {15, 36, 40, 42, "姓名"},
        {40, 36, 62, 42, "签名"},
        {62, 36, 100, 42, "日期"},
        {62, 30, 100, 36, input.date},
        {100, 44, 180, 56, f.company, 5.0, "单位名称"},
        {100, 30, 180, 44, name, 7.0, "零件名称"},
        {100, 20, 115, 30, "图号"},
        {115, 20, 180, 30, f.drawingNumber, 5.0, "图号"},
        {100, 14, 120, 20, "阶段标记"},
        {120, 14, 142, 20, "重量"},
        {142, 14, 160, 20, "比例"},
        {160, 14, 180, 20, "数量"},
        {100, 7, 120, 14, f.stage, 3.5, "阶段标记"},
        {120, 7, 142, 14, TitleBlockMass(input)},
        {142, 7, 160, 14, scale},
        {160, 7, 180, 14, f.quantity, 3.5, "数量"},
        {100, 0, 155, 7, "共 1 张  第 1 张"},
        {155, 0, 180, 7, sheet},
    };
    const char *roles[] = {"设计", "校对", "审核", "标准化", "工艺", "批准"};
    const std::string *names[] = {&f.designer,     &f.checker, &f.approver,
                                  &f.standardizer, nullptr,    nullptr};
    cells.push_back({0, 36, 15, 42, ""});
    for (int i = 0; i < 6; ++i) {
        const double top = 36.0 - 6.0 * i;
        cells.push_back({0, top - 6.0, 15, top, roles[i]});
        cells.push_back({15, top - 6.0, 40, top, names[i] ? *names[i] : "", 3.5, roles[i]});
        cells.push_back({40, top - 6.0, 62, top, ""});
        if (i > 0) {
            cells.push_back({62, top - 6.0, 100, top, ""});
        }
    }
    if (input.details.revisionArea) {
        // Captions at the bottom, the rows filled in upwards.
        const std::pair<double, const char *> columns[] = {{0, "标记"},  {10, "处数"},
                                                           {20, "分区"}, {32, "更改文件号"},
                                                           {54, "签名"}, {70, "年、月、日"}};
        for (std::size_t k = 0; k < std::size(columns); ++k) {
            const double x0 = columns[k].first;
            const double x1 = k + 1 < std::size(columns) ? columns[k + 1].first : 100.0;
            cells.push_back({x0, 56, x1, 56 + kRevisionRow, columns[k].second});
            for (int row = 1; row < 4; ++row) {
                cells.push_back(
                    {x0, 56 + kRevisionRow * row, x1, 56 + kRevisionRow * (row + 1), ""});
            }
        }
    }
    return cells;
}

// Overlapping stretches of one border line joined into one.
std::vector<std::pair<double, double>> Joined(std::vector<std::pair<double, double>> spans) {
    std::sort(spans.begin(), spans.end());
    std::vector<std::pair<double, double>> joined;
    for (const auto &span : spans) {
        if (!joined.empty() && span.first <= joined.back().second + 1e-9) {
            joined.back().second = std::max(joined.back().second, span.second);
        } else {
            joined.push_back(span);
        }
    }
    return joined;
}

bool DropLastCharacter(std::string &text) {
    if (text.empty()) {
        return false;
    }
    while (text.size() > 1 && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80) {
        text.pop_back();
    }
    text.pop_back();
    return !text.empty();
}

} // namespace

double RevisionAreaHeight(const DrawingDetails &details) {
    return details.revisionArea ? 4 * kRevisionRow : 0.0;
}

std::string TitleBlockMass(const DrawingInput &input) {
    if (input.mass && std::isfinite(*input.mass)) {
        return fmt::format("{:.1f} g", *input.mass);
    }
    if (!input.checks) {
        return "";
    }
    for (const CheckResult &check : *input.checks) {
        if (check.id == "mass" && check.value && std::isfinite(*check.value)) {
            return fmt::format("{:.1f} g", *check.value);
        }
    }
    return "";
}

std::optional<DrawingRefusal> TitleBlockProblem(const DrawingInput &input) {
    // The scale and the sheet's name are this program's own short texts.
    for (const Cell &cell : Cells(input, "1:1", "A4")) {
        if (cell.field && !cell.text.empty() && !Fit(cell)) {
            return DrawingRefusal{cell.option, std::string("标题栏 ") + cell.field +
                                                   ": 文字过长, 此格最多容纳 " +
                                                   std::to_string(Capacity(cell)) + " 个字"};
        }
    }
    return std::nullopt;
}

void AddTitleBlock(Drawing &drawing, const DrawingInput &input) {
    const SheetBox b = TitleBlockBox(drawing.sheet);
    const auto line = [&](double x0, double y0, double x1, double y1, Layer layer) {
        drawing.lines.push_back({OnSheet(drawing, b.left + x0, b.bottom + y0),
                                 OnSheet(drawing, b.left + x1, b.bottom + y1), layer,
                                 Part::TitleBlock});
    };
    // The outline and the split between the two parts thick, the cells' own
    // borders thin, each stretch of border drawn once.
    line(0, 0, 180, 0, Layer::Thick);
    line(180, 0, 180, 56, Layer::Thick);
    line(180, 56, 0, 56, Layer::Thick);
    line(0, 56, 0, 0, Layer::Thick);
    line(100, 0, 100, 56, Layer::Thick);
    const double revisionTop = 56.0 + RevisionAreaHeight(input.details);
    if (revisionTop > 56.0) {
        line(0, 56, 0, revisionTop, Layer::Thick);
        line(0, revisionTop, 100, revisionTop, Layer::Thick);
        line(100, revisionTop, 100, 56, Layer::Thick);
    }
    const std::vector<Cell> cells = Cells(input, drawing.scaleText, drawing.sheet.name);
    std::map<double, std::vector<std::pair<double, double>>> across;
    std::map<double, std::vector<std::pair<double, double>>> upright;
    for (const Cell &cell : cells) {
        across[cell.y0].push_back({cell.x0, cell.x1});
        across[cell.y1].push_back({cell.x0, cell.x1});
        upright[cell.x0].push_back({cell.y0, cell.y1});
        upright[cell.x1].push_back({cell.y0, cell.y1});
    }
    for (auto &[y, spans] : across) {
        if (y != 0.0 && y != 56.0 && y != revisionTop) {
            for (const auto &[from, to] : Joined(spans)) {
                line(from, y, to, y, Layer::Thin);
            }
        }
    }
    for (auto &[x, spans] : upright) {
        if (x != 0.0 && x != 100.0 && x != 180.0) {
            for (const auto &[from, to] : Joined(spans)) {
                line(x, from, x, to, Layer::Thin);
            }
        }
    }
    for (const Cell &cell : cells) {
        if (cell.text.empty()) {
            continue;
        }
        std::optional<Fitted> fitted = Fit(cell);
        if (!fitted) {
            // Refused before drawing wherever a user types; a caller that
            // did not ask still gets no text below the smallest height.
            Cell cut = cell;
            while (!fitted && DropLastCharacter(cut.text)) {
                Cell shown = cut;
                shown.text += "…";
                fitted = Fit(shown);
            }
            if (!fitted) {
                continue;
            }
        }
        const double h = fitted->height;
        const double step = h * kLineSpacing;
        const double block = h + step * static_cast<double>(fitted->lines.size() - 1);
        double baseline = (cell.y0 + cell.y1) / 2.0 + block / 2.0 - h;
        for (const std::string &text : fitted->lines) {
            drawing.texts.push_back(
                {OnSheet(drawing, b.left + (cell.x0 + cell.x1) / 2.0, b.bottom + baseline), text,
                 h / drawing.scale, TextAlign::Centre, 0.0, Layer::Text, Part::TitleBlock});
            baseline -= step;
        }
    }
}
