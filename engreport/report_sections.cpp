#include "report_sections.h"

#include "check_texts.h"
#include "html_text.h"

const char *const kNumerals[7] = {"一", "二", "三", "四", "五", "六", "七"};

void AppendChecks(std::string &html, const CheckResults &checks, ReferenceList &references) {
    html += "<section><h2>三、校核</h2>\n<table class=\"checks\">\n"
            "<tr><th>项目</th><th>计算值</th><th>限值</th><th>结论</th><th>说明与依据</th>"
            "</tr>\n";
    for (const CheckResult &check : checks) {
        if (!CheckRowNeededInDocument(check)) {
            continue;
        }
        html += check.verdict == CheckVerdict::Fail        ? "<tr class=\"fail\">"
                : check.verdict == CheckVerdict::NotJudged ? "<tr class=\"notjudged\">"
                                                           : "<tr>";
        html += "<td>" + EscapeHtml(CheckTitle(check.id)) + "</td>";
        html +=
            "<td class=\"n\">" + EscapeHtml(CheckQuantityText(check.value, check.unit)) + "</td>";
        html +=
            "<td class=\"n\">" + EscapeHtml(CheckQuantityText(check.limit, check.unit)) + "</td>";
        html += "<td class=\"verdict\">" + EscapeHtml(CheckVerdictText(check.verdict)) + "</td>";
        html += "<td class=\"msg\">" + EscapeHtml(check.message);
        if (!check.clause.empty()) {
            html += "<br/><span class=\"clause\">依据: " +
                    EscapeHtml(CiteSources(check.clause, references)) + "</span>";
        }
        html += "</td></tr>\n";
    }
    html += "</table></section>\n";
}

// The title block's fields as the drawing carries them, blanks to fill in by hand.
void AppendTitleBlock(std::string &html, const TitleBlockFields &f, const std::string &name,
                      const std::string &material, const std::string &date,
                      const Drawing &drawing) {
    const auto cell = [](const char *caption, const std::string &value) {
        return "<td class=\"c\">" + std::string(caption) + "</td><td>" + EscapeHtml(value) +
               "</td>";
    };
    html += "<table class=\"titleblock\">\n<tr>" + cell("零件名称", name) +
            cell("图号", f.drawingNumber) + cell("材料", material) + cell("数量", f.quantity) +
            cell("比例", drawing.scaleText + " " + drawing.sheet.name) + "</tr>\n<tr>" +
            cell("设计", f.designer) + cell("校对", f.checker) + cell("审核", f.approver) +
            cell("单位", f.company) + cell("日期", date) + "</tr>\n</table>\n";
}

// The sources the rows cite by number, with their addresses.
void AppendReferences(std::string &html, const ReferenceList &references, int section) {
    if (references.sources().empty()) {
        return;
    }
    html += std::string("<section class=\"references\"><h2>") + kNumerals[section] +
            "、参考资料</h2>\n<ol>\n";
    int number = 0;
    for (const CitedSource &source : references.sources()) {
        html += "<li><span class=\"number\">[" + std::to_string(++number) + "]</span> " +
                EscapeHtml(source.name);
        if (!source.address.empty()) {
            html += (source.name.empty() ? "" : " ") + std::string("<span class=\"address\">") +
                    EscapeHtml(source.address) + "</span>";
        }
        html += "</li>\n";
    }
    html += "</ol></section>\n";
}

void AppendValueRows(std::string &html, const std::vector<ReportValue> &values,
                     std::size_t pairsPerRow) {
    html += "<table class=\"values\">\n";
    for (std::size_t i = 0; i < values.size(); i += pairsPerRow) {
        html += "<tr>";
        for (std::size_t k = i; k < i + pairsPerRow; ++k) {
            if (k < values.size()) {
                html += "<td class=\"c\">" + EscapeHtml(values[k].caption) +
                        "</td><td class=\"v\">" + EscapeHtml(values[k].text) + "</td>";
            } else {
                html += "<td class=\"c\"></td><td class=\"v\"></td>";
            }
        }
        html += "</tr>\n";
    }
    html += "</table>\n";
}
