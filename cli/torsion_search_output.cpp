#include "torsion_search_output.h"

#include "check_texts.h"
#include "number_format.h"
#include "outcome_json.h"
#include "search_output.h"
#include "text_table.h"
#include "torsion_search_json.h"

#include <ostream>

namespace {

std::string Three(double value) {
    return FormatThreeDecimals(static_cast<float>(value));
}

std::string Optional(const std::optional<float> &value) {
    return value ? Three(*value) : "";
}

// The largest working point: the second asked for.
std::size_t LastPoint(const TorsionSpring &s) {
    return s.torques[1] ? 1 : 0;
}

// One design's cells: d, D, n, T', deviation, φ1, φ2, σ, D2, body length, mass.
std::vector<std::string> Cells(const TorsionCandidate &c) {
    const TorsionInputs &in = c.outcome.inputs;
    const TorsionSpring &s = c.outcome.spring;
    const std::size_t last = LastPoint(s);
    return {FormatGeneral(static_cast<float>(in.wireDiameter)),
            FormatGeneral(static_cast<float>(in.meanDiameter)),
            FormatGeneral(static_cast<float>(in.activeCoils)),
            Three(s.angularRate),
            FormatOneDecimal(static_cast<float>(c.rateDeviationPercent)),
            last == 1 ? Optional(s.angles[0]) : "",
            Optional(s.angles[last]),
            Optional(s.stresses[last]),
            Three(s.outerDiameter),
            Three(s.loadedBodyLength),
            s.mass ? FormatOneDecimal(*s.mass) : ""};
}

std::string Reasons(const TorsionCandidate &c) {
    std::string text;
    for (const MissReason &reason : c.misses) {
        text += (text.empty() ? "" : "; ") + MissReasonText(reason);
    }
    return text;
}

// The designs listed: the qualified ones, else the nearest misses.
const std::vector<TorsionCandidate> &Listed(const TorsionSearchOutcome &outcome) {
    return outcome.best.empty() ? outcome.nearestMisses : outcome.best;
}

void WriteText(const TorsionSearchOutcome &outcome, const TorsionSearchRequest &r,
               std::ostream &out) {
    const std::vector<TorsionCandidate> &designs = Listed(outcome);
    if (designs.empty()) {
        out << "没有合格的设计。\n" << TorsionSearchSummary(outcome) << '\n';
        return;
    }
    if (outcome.best.empty()) {
        out << "没有合格的设计。最接近的设计:\n";
    }
    std::vector<std::string> header = {"名次",        "d (mm)",   "D (mm)",    "n",
                                       "T' (N·mm/°)", "偏差 (%)", "φ1 (°)",    "φ2 (°)",
                                       "σ (MPa)",     "D2 (mm)",  "体长 (mm)", "质量 (g)"};
    // φ1 only where a first point was asked for.
    const auto dropFirstAngle = [&r](std::vector<std::string> &row) {
        if (!r.first) {
            row.erase(row.begin() + 6);
        }
    };
    dropFirstAngle(header);
    TextTable table(std::vector<bool>(header.size(), true));
    table.AddRow(header);
    for (std::size_t i = 0; i < designs.size(); ++i) {
        std::vector<std::string> row = Cells(designs[i]);
        row.insert(row.begin(), std::to_string(i + 1));
        dropFirstAngle(row);
        table.AddRow(std::move(row));
    }
    table.Write(out);
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const TorsionCandidate &c = designs[i];
        out << i + 1 << ". 校核: " << CheckVerdictList(c.outcome.checks) << '\n';
        if (!c.misses.empty()) {
            out << "   未合格: " << Reasons(c) << '\n';
        }
        out << "   " << CommandLineOf(c.arguments) << '\n';
    }
    out << TorsionSearchSummary(outcome) << '\n';
}

void WriteTsv(const TorsionSearchOutcome &outcome, std::ostream &out) {
    out << "rank\tstatus\td\tD\tn\trate\tdeviation\tangle1\tangle2\tstress\touter_diameter\t"
           "body_length\tmass\tchecks\treasons\tcommand\n";
    const std::vector<TorsionCandidate> &designs = Listed(outcome);
    for (std::size_t i = 0; i < designs.size(); ++i) {
        out << i + 1 << '\t' << (outcome.best.empty() ? "miss" : "qualified");
        for (const std::string &cell : Cells(designs[i])) {
            out << '\t' << cell;
        }
        out << '\t' << CheckVerdictList(designs[i].outcome.checks) << '\t' << Reasons(designs[i])
            << '\t' << CommandLineOf(designs[i].arguments) << '\n';
    }
}

void WriteJson(const TorsionSearchOutcome &outcome, const TorsionSearchRequest &r,
               std::ostream &out) {
    out << DumpJson(TorsionSearchOutcomeJson(outcome, r), 2) << '\n';
}

} // namespace

std::string TorsionSearchSummary(const TorsionSearchOutcome &outcome) {
    std::string text = "判定 " + std::to_string(outcome.judged) + " 个, 合格 " +
                       std::to_string(outcome.qualified) + " 个";
    if (outcome.best.empty()) {
        text += " (刚度在偏差内的设计中: 超出最大弹簧体长度 " +
                std::to_string(outcome.outsideEnvelope) + " 个, 校核不合格 " +
                std::to_string(outcome.failedChecks) + " 个; 未算出 " +
                std::to_string(outcome.notCompleted) + " 个)";
    }
    return text;
}

void WriteTorsionSearchOutcome(const TorsionSearchOutcome &outcome,
                               const TorsionSearchRequest &request, std::ostream &out) {
    switch (request.format) {
    case SearchFormat::Tsv:
        WriteTsv(outcome, out);
        return;
    case SearchFormat::Json:
        WriteJson(outcome, request, out);
        return;
    case SearchFormat::Text:
        WriteText(outcome, request, out);
        return;
    }
}
