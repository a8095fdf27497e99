#include "engineering_report.h"

#include "check_texts.h"
#include "html_text.h"
#include "number_format.h"
#include "report_style.h"
#include "report_svgs.h"
#include "result_fields.h"
#include "technical_requirements.h"

#include <vector>

#ifndef ORSELA_VERSION
#error "ORSELA_VERSION must be defined by the build"
#endif

namespace {

// One cell pair of the values table: caption and the value with its unit.
struct ShownValue {
    std::string caption;
    std::string text;
};

std::string WithUnit(std::string text, const char *unit) {
    if (*unit != '\0') {
        text += std::string(" ") + unit;
    }
    return text;
}

// The inputs as stored (as the text report prints them), then the sixteen
// results with the window's decimals.
std::vector<ShownValue> ShownValues(const SpringDesign &d, SpringTypeSign typeSign) {
    std::vector<ShownValue> values = {
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

void AppendValuesTable(std::string &html, const EngineeringReportInput &input) {
    constexpr std::size_t kPairsPerRow = 4;
    const std::vector<ShownValue> values = ShownValues(input.design, input.typeSign);
    html += "<section><h2>一、设计参数与计算结果</h2>\n<table class=\"values\">\n";
    for (std::size_t i = 0; i < values.size(); i += kPairsPerRow) {
        html += "<tr>";
        for (std::size_t k = i; k < i + kPairsPerRow; ++k) {
            if (k < values.size()) {
                html += "<td class=\"c\">" + EscapeHtml(values[k].caption) +
                        "</td><td class=\"v\">" + EscapeHtml(values[k].text) + "</td>";
            } else {
                html += "<td class=\"c\"></td><td class=\"v\"></td>";
            }
        }
        html += "</tr>\n";
    }
    html += "</table></section>\n";
}

// A warning's lines are joined by CR LF; each becomes a line of the page.
std::string WarningHtml(const std::string &text) {
    std::string html;
    std::size_t start = 0;
    while (start <= text.size()) {
        const std::size_t end = text.find("\r\n", start);
        const std::string line = text.substr(start, end == std::string::npos ? end : end - start);
        html += (html.empty() ? "" : "<br/>") + EscapeHtml(line);
        if (end == std::string::npos) {
            break;
        }
        start = end + 2;
    }
    return html;
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

void AppendChecks(std::string &html, const CheckResults &checks) {
    html += "<section><h2>三、校核</h2>\n<table class=\"checks\">\n"
            "<tr><th>项目</th><th>计算值</th><th>限值</th><th>结论</th><th>依据</th>"
            "<th>说明</th></tr>\n";
    for (const CheckResult &check : checks) {
        html += check.verdict == CheckVerdict::Fail ? "<tr class=\"fail\">" : "<tr>";
        html += "<td>" + EscapeHtml(CheckTitle(check.id)) + "</td>";
        html +=
            "<td class=\"n\">" + EscapeHtml(CheckQuantityText(check.value, check.unit)) + "</td>";
        html +=
            "<td class=\"n\">" + EscapeHtml(CheckQuantityText(check.limit, check.unit)) + "</td>";
        html += "<td class=\"verdict\">" + EscapeHtml(CheckVerdictText(check.verdict)) + "</td>";
        html += "<td class=\"clause\">" + EscapeHtml(check.clause) + "</td>";
        html += "<td class=\"msg\">" + EscapeHtml(check.message) + "</td></tr>\n";
    }
    html += "</table></section>\n";
}

void AppendDiagrams(std::string &html, const EngineeringReportInput &input, int section) {
    static const char *const kNumerals[] = {"一", "二", "三", "四", "五", "六"};
    html += std::string("<section><h2>") + kNumerals[section] + "、特性线图</h2>\n";
    html += "<div class=\"figures\">\n<figure>\n" +
            LoadDeflectionSvg(input.design, input.typeSign) +
            "<figcaption>载荷-变形图 (工作点 1、2、3)</figcaption>\n</figure>\n";
    if (input.fatigue) {
        html += "<figure>\n" + FatigueSvg(*input.fatigue) +
                "<figcaption>疲劳强度图: " + EscapeHtml(input.fatigue->method) +
                "</figcaption>\n</figure>\n";
    }
    html += "</div></section>\n";
    html += std::string("<section><h2>") + kNumerals[section + 1] + "、简图与技术要求</h2>\n";
    html += "<div class=\"drawing\">\n<figure>\n" + SpringSketchSvg(input.design, input.typeSign) +
            "<figcaption>弹簧简图 (按 GB/T 4459.4 简化画法)</figcaption>\n</figure>\n";
    html += "<div class=\"requirements\"><h3>技术要求</h3>\n<ol>\n";
    for (const std::string &line :
         TechnicalRequirements(input.design, input.typeSign, input.checks)) {
        html += "<li>" + EscapeHtml(line) + "</li>\n";
    }
    html += "</ol></div>\n</div></section>\n";
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

    AppendValuesTable(html, input);
    AppendWarnings(html, input.warnings);
    int next = 2;
    if (input.checks) {
        AppendChecks(html, *input.checks);
        next = 3;
    }
    AppendDiagrams(html, input, next);
    html += "<footer>长度 mm，力 N，应力与模量 MPa，刚度 N/mm，角度 °。本计算书由 Orsela "
            "生成，可随图样或询价单归档。</footer>\n";
    html += "</main>\n</body>\n</html>\n";
    return html;
}
