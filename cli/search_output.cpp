#include "search_output.h"

#include "check_texts.h"
#include "number_format.h"
#include "outcome_json.h"
#include "search_json.h"
#include "text_table.h"

#include <charconv>
#include <cstdio>
#include <ostream>

namespace {

bool IsExtension(const SearchRequest &r) {
    return r.typeSign == kExtensionSpring;
}

std::string Grams(const EvaluatedDesign &e) {
    return e.mass ? FormatOneDecimal(static_cast<float>(*e.mass)) : "";
}

std::string Reasons(const EvaluatedDesign &e) {
    std::string text;
    for (const MissReason &reason : e.misses) {
        text += (text.empty() ? "" : "; ") + MissReasonText(reason);
    }
    return text;
}

// One row a design, in columns, so that the designs can be compared at a
// glance; the heights are the required ones, the same for every design.
void WriteDesignTable(const std::vector<EvaluatedDesign> &designs, const SearchRequest &r,
                      std::ostream &out) {
    const auto points = RequiredPoints(r);
    const auto loadHeader = [&](int i) {
        return "F" + std::to_string(i + 1) + " (N) @ " +
               FormatOneDecimal(static_cast<float>(points[static_cast<std::size_t>(i)].height)) +
               " mm";
    };
    std::vector<std::string> header = {"名次", "d (mm)", "D (mm)", "n", "n1", "H0 (mm)"};
    if (IsExtension(r)) {
        header.insert(header.end(), {"t (mm)", "F0 (N)"});
    }
    header.insert(header.end(), {loadHeader(0), loadHeader(1)});
    if (r.third) {
        header.push_back(loadHeader(2));
    }
    header.insert(header.end(), {"τ (MPa)", "质量 (g)"});
    TextTable table(std::vector<bool>(header.size(), true));
    table.AddRow(header);
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const EvaluatedDesign &e = designs[i];
        const SpringDesign &s = e.design;
        std::vector<std::string> row = {
            std::to_string(i + 1),         FormatGeneral(s.WireDiameter),
            FormatGeneral(s.MeanDiameter), FormatGeneral(s.ActiveCoils),
            FormatGeneral(s.TotalCoils),   FormatOneDecimal(s.FreeHeight)};
        if (IsExtension(r)) {
            row.insert(row.end(),
                       {FormatThreeDecimals(s.Pitch), FormatOneDecimal(s.InitialTension)});
        }
        row.insert(row.end(),
                   {FormatThreeDecimals(s.WorkingLoad1), FormatThreeDecimals(s.WorkingLoad2)});
        if (r.third) {
            row.push_back(FormatThreeDecimals(s.WorkingLoad3));
        }
        // A run stopped before the stress at F3 shows a dash, never a stress it lacks.
        row.push_back(e.stressComputed ? FormatThreeDecimals(s.MaxShearStress) : "—");
        row.push_back(e.mass ? Grams(e) : "—");
        table.AddRow(std::move(row));
    }
    table.Write(out);
}

void WriteDesignDetails(std::size_t rank, const EvaluatedDesign &e, const SearchRequest &r,
                        std::ostream &out) {
    out << rank << ". ";
    const char *indent = "";
    if (!e.stressComputed) {
        out << "τ 未算出 (计算在此之前停止)\n";
        indent = "   ";
    }
    if (!e.checks.empty()) {
        out << indent << "校核: " << CheckVerdictList(e.checks) << '\n';
        indent = "   ";
    }
    if (!e.misses.empty()) {
        out << indent << "未合格: " << Reasons(e) << '\n';
        indent = "   ";
    }
    out << indent << ReproducingCommandLine(e, r) << '\n';
}

void WriteTsv(const SearchOutcome &outcome, const SearchRequest &r, std::ostream &out) {
    out << "rank\tstatus\td\tD\tn\tn1\tH0\tt\tF0\tF1\tF2\tF3\ttau\tmass\tchecks\treasons\tcommand"
           "\n";
    const bool qualified = !outcome.best.empty();
    const auto &designs = qualified ? outcome.best : outcome.nearestMisses;
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const EvaluatedDesign &e = designs[i];
        const SpringDesign &s = e.design;
        out << i + 1 << '\t' << (qualified ? "qualified" : "miss") << '\t'
            << FormatGeneral(s.WireDiameter) << '\t' << FormatGeneral(s.MeanDiameter) << '\t'
            << FormatGeneral(s.ActiveCoils) << '\t' << FormatGeneral(s.TotalCoils) << '\t'
            << FormatOneDecimal(s.FreeHeight) << '\t'
            << (IsExtension(r) ? FormatThreeDecimals(s.Pitch) : "") << '\t'
            << (IsExtension(r) ? FormatOneDecimal(s.InitialTension) : "") << '\t'
            << FormatThreeDecimals(s.WorkingLoad1) << '\t' << FormatThreeDecimals(s.WorkingLoad2)
            << '\t' << FormatThreeDecimals(s.WorkingLoad3) << '\t'
            << (e.stressComputed ? FormatThreeDecimals(s.MaxShearStress) : "") << '\t' << Grams(e)
            << '\t' << CheckVerdictList(e.checks) << '\t' << Reasons(e) << '\t'
            << ReproducingCommandLine(e, r) << '\n';
    }
}

} // namespace

std::string ReproducingCommandLine(const EvaluatedDesign &design, const SearchRequest &request) {
    return CommandLineOf(ReproducingArguments(design, request));
}

std::string SearchSummary(const SearchOutcome &outcome) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.3f", outcome.seconds);
    return "候选 " + std::to_string(outcome.candidates) + " 个, 计算 " +
           std::to_string(outcome.calculated) + " 个, 合格 " + std::to_string(outcome.qualified) +
           " 个, 用时 " + seconds + " s (" + std::to_string(outcome.threads) + " 线程)";
}

void WriteSearchOutcome(const SearchOutcome &outcome, const SearchRequest &request,
                        SearchFormat format, std::ostream &out) {
    if (format == SearchFormat::Tsv) {
        WriteTsv(outcome, request, out);
        return;
    }
    if (format == SearchFormat::Json) {
        out << DumpJson(SearchOutcomeJson(outcome, request), 2) << '\n';
        return;
    }
    if (outcome.best.empty()) {
        out << "没有合格的设计。最接近的设计:\n";
    }
    const auto &designs = outcome.best.empty() ? outcome.nearestMisses : outcome.best;
    WriteDesignTable(designs, request, out);
    for (std::size_t i = 0; i < designs.size(); ++i) {
        WriteDesignDetails(i + 1, designs[i], request, out);
    }
    out << SearchSummary(outcome) << '\n';
}
