#include "engineering_report.h"

#include "check_texts.h"
#include "drawing_svg.h"
#include "html_text.h"
#include "material_texts.h"
#include "number_format.h"
#include "report_sections.h"
#include "report_style.h"
#include "report_svgs.h"
#include "result_fields.h"
#include "source_citations.h"
#include "spring_drawing.h"
#include "technical_requirements.h"

#include <vector>

#ifndef ORSELA_VERSION
#error "ORSELA_VERSION must be defined by the build"
#endif

namespace {

std::string WithUnit(std::string text, const char *unit) {
    if (*unit != '\0') {
        text += std::string(" ") + unit;
    }
    return text;
}

// The inputs as stored (as the text report prints them), then the sixteen
// results with the window's decimals.
std::vector<ReportValue> ShownValues(const SpringDesign &d, SpringTypeSign typeSign) {
    std::vector<ReportValue> values = {
        {"切变模量 G", WithUnit(FormatGeneral(d.ShearModulus), "MPa")},
        {"许用切应力 [τ]", WithUnit(FormatGeneral(d.AllowableShearStress), "MPa")},
        {"材料直径 d", WithUnit(FormatGeneral(d.WireDiameter), "mm")},
        {"弹簧中径 D", WithUnit(FormatGeneral(d.MeanDiameter), "mm")},
        {"有效圈数 n", FormatGeneral(d.ActiveCoils)},
        {"总圈数 n1", FormatGeneral(d.TotalCoils)},
    };
    if (typeSign != kCompressionSpring) {
        values.push_back({"初拉力 F0", WithUnit(FormatThreeDecimals(d.InitialTension), "N")});
    }
    for (const ResultField &field : ResultFields()) {
        values.push_back({field.caption, WithUnit(FormatResult(field, d), field.unit)});
    }
    return values;
}

DrawingInput DrawingInputFor(const EngineeringReportInput &input) {
    DrawingInput drawing;
    drawing.design = input.design;
    drawing.typeSign = input.typeSign;
    drawing.checks = input.checks;
    drawing.materialStandard = input.materialStandard;
    drawing.date = input.date;
    drawing.details = input.drawingDetails;
    return drawing;
}

std::string Optional(const std::optional<double> &value, const char *unit) {
    if (!value) {
        return "—";
    }
    const float shown = static_cast<float>(*value);
    return (*unit ? FormatOneDecimal(shown) + " " + unit : FormatGeneral(shown));
}

const char *EndConditionText(EndCondition condition) {
    switch (condition) {
    case EndCondition::FixedFixed:
        return "两端固定";
    case EndCondition::FixedPinned:
        return "一端固定、一端回转";
    case EndCondition::PinnedPinned:
        return "两端回转";
    case EndCondition::FixedFree:
        return "一端固定、一端自由";
    }
    return "两端固定";
}

// The method the rows followed: EN 13906-1 covers a compression spring's
// static strength and fatigue only; every row names its own rule.
std::string CheckMethodText(const CheckInputs &in, SpringTypeSign typeSign) {
    if (in.standard == CheckStandard::En && typeSign == kCompressionSpring) {
        return "静强度、疲劳按 EN 13906-1, 其余各项按其依据";
    }
    return std::string("GB/T 23935-2009, 许用切应力取 GB/T 1239.6-1992 表") +
           (in.standard == CheckStandard::En ? " (EN 13906-1 不用于拉伸弹簧)" : "") +
           ", 其余各项按其依据";
}

// The inputs of the checks in one paragraph under the values table.
void AppendCheckInputs(std::string &html, const EngineeringReportInput &input,
                       ReferenceList &references) {
    if (!input.checkInputs) {
        return;
    }
    const CheckInputs &in = *input.checkInputs;
    std::string text =
        "校核输入: 载荷类型 " + std::string(LoadCaption(in.loadType)) + "；循环次数 N " +
        (in.loadCycles ? Optional(in.loadCycles, "") : "— (静载)") + "；工作频率 " +
        Optional(in.workingFrequency, "Hz") + "；端部支承 " + EndConditionText(in.endCondition) +
        "；校核方法 " + CheckMethodText(in, input.typeSign) + "；Rm " +
        Optional(in.tensileStrength, "MPa") + "；许用切应力 " +
        (in.standardPermissible ? Optional(in.standardPermissible->value, "MPa")
                                : std::string("—")) +
        "。";
    for (const std::string &source : input.checkSources) {
        text += source + (source.empty() ? "" : "。");
    }
    text = CiteSources(text, references);
    const std::vector<int> materialData =
        CiteAddressedSources(input.materialDataSource, references);
    if (!materialData.empty()) {
        text += "材料数据来源 " + CitationMark(materialData) + "。";
    }
    html += "<p class=\"inputs\">" + EscapeHtml(text) + "</p>\n";
}

void AppendValuesTable(std::string &html, const EngineeringReportInput &input,
                       ReferenceList &references) {
    constexpr std::size_t kPairsPerRow = 4;
    const std::vector<ReportValue> values = ShownValues(input.design, input.typeSign);
    html += "<section><h2>一、设计参数与计算结果</h2>\n";
    AppendValueRows(html, values, kPairsPerRow);
    AppendCheckInputs(html, input, references);
    html += "</section>\n";
}

// A warning's lines are joined by CR LF or by a plain line feed; on the page
// they run on in one line, to keep the page to one sheet.
std::string WarningHtml(const std::string &text) {
    std::string html;
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        html += (start == 0 ? "" : " ") + EscapeHtml(line);
        if (end == std::string::npos) {
            return html;
        }
        start = end + 1;
    }
}

void AppendWarnings(std::string &html, const std::vector<std::string> &warnings) {
    html += "<section><h2>二、设计警告</h2>\n";
    if (warnings.empty()) {
        html += "<p class=\"none\">无。</p>\n";
    } else {
        html += "<ul class=\"warnings\">\n";
        for (const std::string &warning : warnings) {
            html += "<li>" + WarningHtml(warning) + "</li>\n";
        }
        html += "</ul>\n";
    }
    html += "</section>\n";
}

void AppendCharts(std::string &html, const EngineeringReportInput &input, int section) {
    html += std::string("<section><h2>") + kNumerals[section] + "、特性线图</h2>\n";
    html += "<div class=\"figures\">\n<figure>\n" +
            LoadDeflectionSvg(input.design, input.typeSign) +
            "<figcaption>载荷-变形图 (工作点 1、2、3)</figcaption>\n</figure>\n";
    if (input.fatigue) {
        const std::string &method = input.fatigue->method;
        html += "<figure>\n" + FatigueSvg(*input.fatigue) + "<figcaption>疲劳强度图" +
                (method.empty() ? "" : ": " + EscapeHtml(method)) + "</figcaption>\n</figure>\n";
    }
    html += "</div></section>\n";
}

// The sketch and its requirements, kept on one page with their heading.
void AppendSketch(std::string &html, const DrawingInput &drawingInput, const Drawing &drawing,
                  int section) {
    html += std::string("<section class=\"sketch\"><h2>") + kNumerals[section] +
            "、简图与技术要求</h2>\n";
    html += "<div class=\"drawing\">\n<figure>\n" +
            DrawingPartsSvg(drawing, {Part::View}, "弹簧简图") +
            "<figcaption>弹簧简图 (按 GB/T 4459.4 画法)</figcaption>\n</figure>\n";
    html += "<div class=\"requirements\"><h3>技术要求</h3>\n<ol>\n";
    for (const std::string &line : TechnicalRequirements(drawingInput)) {
        html += "<li>" + EscapeHtml(line) + "</li>\n";
    }
    html += "</ol></div>\n</div>\n</section>\n";
}

} // namespace

const char *EngineeringReportProgramVersion() {
    return ORSELA_VERSION;
}

std::string BuildEngineeringReport(const EngineeringReportInput &input) {
    const bool compression = input.typeSign == kCompressionSpring;
    const std::string kind = compression ? "压缩弹簧" : "拉伸弹簧";
    const std::string title = "圆柱螺旋" + kind + "设计计算书";

    std::string html =
        "<!DOCTYPE html>\n<html lang=\"zh-CN\">\n<head>\n<meta charset=\"utf-8\"/>\n";
    html += "<title>" + EscapeHtml(title + " " + input.design.Material) + "</title>\n";
    html += "<style>" + std::string(kEngineeringReportCss) + "</style>\n</head>\n<body>\n<main>\n";
    html += "<header><h1>" + EscapeHtml(title) + "</h1>\n<p class=\"meta\">";
    html += "<span>日期: " + EscapeHtml(input.date) + "</span>";
    html += "<span>材料: " + EscapeHtml(input.design.Material) + "</span>";
    html += "<span>类型: " + EscapeHtml(kind + (compression ? " (两端并紧磨平)" : " (圆钩环)")) +
            "</span>";
    html += "<span>Orsela " + EscapeHtml(input.programVersion) + "</span></p>\n</header>\n";

    ReferenceList references;
    AppendValuesTable(html, input, references);
    AppendWarnings(html, input.warnings);
    int next = 2;
    if (input.checks) {
        AppendChecks(html, *input.checks, references);
        next = 3;
    }
    AppendCharts(html, input, next);
    const DrawingInput drawingInput = DrawingInputFor(input);
    const Drawing drawing = BuildSpringDrawing(drawingInput);
    AppendSketch(html, drawingInput, drawing, next + 1);
    AppendReferences(html, references, next + 2);
    const TitleBlockFields &f = input.drawingDetails.title;
    const std::string name = !f.partName.empty() ? f.partName : "圆柱螺旋" + kind;
    AppendTitleBlock(html, f, name, input.design.Material, input.date, drawing);
    html += "</main>\n</body>\n</html>\n";
    return html;
}
