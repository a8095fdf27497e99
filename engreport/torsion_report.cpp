#include "torsion_report.h"

#include "drawing_svg.h"
#include "engineering_report.h"
#include "html_text.h"
#include "report_sections.h"
#include "report_style.h"
#include "report_svgs.h"
#include "source_citations.h"
#include "torsion_drawing.h"
#include "torsion_requirements.h"

namespace {

constexpr const char *kTitle = "圆柱螺旋扭转弹簧设计计算书";

void AppendValues(std::string &html, const TorsionReportInput &input, ReferenceList &references) {
    constexpr std::size_t kPairsPerRow = 3; // the formulas in the captions are long
    const std::vector<TorsionReportValue> &values = input.values;
    html += "<section><h2>一、设计参数与计算结果</h2>\n";
    AppendValueRows(html, values, kPairsPerRow);
    std::string text = input.checkConditions;
    for (const std::string &note : input.notes) {
        text += note + "。";
    }
    text = CiteSources(text, references);
    const std::vector<int> materialData =
        CiteAddressedSources(input.materialDataSource, references);
    if (!materialData.empty()) {
        text += "材料数据来源 " + CitationMark(materialData) + "。";
    }
    if (!text.empty()) {
        html += "<p class=\"inputs\">" + EscapeHtml(text) + "</p>\n";
    }
    html += "</section>\n<section><h2>二、设计警告</h2>\n<p class=\"none\">无。</p>\n</section>\n";
}

} // namespace

std::string BuildTorsionReport(const TorsionReportInput &input) {
    const TorsionDrawingInput &spring = input.drawing;
    std::string html =
        "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\"/>\n";
    html += "<title>" + EscapeHtml(std::string(kTitle) + " " + spring.material) + "</title>\n";
    html += "<style>" + std::string(kEngineeringReportCss) + "</style>\n</head>\n<body>\n<main>\n";
    html += "<header><h1>" + std::string(kTitle) + "</h1>\n<p class=\"meta\">";
    html += "<span>日期: " + EscapeHtml(spring.date) + "</span>";
    html += "<span>材料: " + EscapeHtml(spring.material) + "</span>";
    html += "<span>类型: 扭转弹簧 (切向直臂)</span>";
    html += "<span>Orsela " + EscapeHtml(input.programVersion) + "</span></p>\n</header>\n";

    ReferenceList references;
    AppendValues(html, input, references);
    int next = 2;
    if (spring.checks) {
        AppendChecks(html, *spring.checks, references);
        next = 3;
    }
    html += std::string("<section><h2>") + kNumerals[next] + "、特性线图</h2>\n";
    html +=
        "<div class=\"figures\">\n<figure>\n" + TorqueAngleSvg(spring.spring) +
        "<figcaption>扭矩-扭转角图 (工作点 1、2、3)</figcaption>\n</figure>\n</div></section>\n";

    const Drawing drawing = BuildTorsionDrawing(spring);
    html += std::string("<section class=\"sketch\"><h2>") + kNumerals[next + 1] +
            "、简图与技术要求</h2>\n";
    html += "<div class=\"drawing\">\n<figure>\n" +
            DrawingPartsSvg(drawing, {Part::View}, "弹簧简图") +
            "<figcaption>弹簧简图 (按 GB/T 4459.4 画法)</figcaption>\n</figure>\n";
    html += "<div class=\"requirements\"><h3>技术要求</h3>\n<ol>\n";
    for (const std::string &line : TorsionRequirements(spring)) {
        html += "<li>" + EscapeHtml(line) + "</li>\n";
    }
    html += "</ol></div>\n</div>\n</section>\n";
    AppendReferences(html, references, next + 2);
    const DrawingInput title = TitleBlockInputOf(spring);
    AppendTitleBlock(html, title.details.title, title.details.title.partName, spring.material,
                     spring.date, drawing);
    html += "</main>\n</body>\n</html>\n";
    return html;
}
