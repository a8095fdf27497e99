// The torsion spring's calls of the page, through the same library calls as
// orsela-cli --torsion and search --torsion make.
#include "torsion_bindings.h"

#include "call_results.h"
#include "check_hints.h"
#include "outcome_json.h"
#include "report_svgs.h"
#include "torsion_drawing.h"
#include "torsion_outcome_json.h"
#include "torsion_report_inputs.h"
#include "torsion_search.h"
#include "torsion_search_json.h"

#include <string>

using emscripten::val;

namespace {

constexpr int kCompleted = 0;
constexpr int kStopped = 1;
constexpr int kUsage = 2;

// The outcome when the calculation completes, else the reason there is
// no report, drawing or chart.
std::optional<TorsionOutcome> Completed(const DesignRequest &request, std::string &problem) {
    TorsionOutcome outcome = JudgeTorsionDesign(request);
    if (outcome.status != DesignStatus::Completed) {
        problem = outcome.message.empty() ? "计算未完成" : outcome.message;
        return std::nullopt;
    }
    return outcome;
}

} // namespace

val JudgeTorsionPrinted(const DesignRequest &request) {
    const TorsionOutcome outcome = JudgeTorsionDesign(request);
    std::string err;
    if (outcome.status != DesignStatus::Completed) {
        err += "orsela-cli: " + outcome.message + "\n";
    } else {
        for (const std::string &note : outcome.notes) {
            err += "orsela-cli: " + note + "\n";
        }
        for (const std::string &hint : CheckHints(outcome.checks)) {
            err += "orsela-cli: " + hint + "\n";
        }
    }
    return Printed(TorsionExitStatus(request, outcome),
                   DumpJson(TorsionOutcomeJson(outcome), 2) + "\n", err);
}

val SearchTorsionPrinted(const SearchArguments &arguments, val progress) {
    std::string error;
    const auto request = BuildTorsionSearch(arguments, error);
    if (!request) {
        return Printed(kUsage, RefusedJsonText(error),
                       "orsela-cli: " + error + "\n用法见 orsela-cli search --help\n");
    }
    std::string err;
    for (const std::string &note : request->notes) {
        err += note + "\n";
    }
    TorsionSearchOptions options;
    if (!progress.isUndefined() && !progress.isNull()) {
        options.progress = [&progress](const SearchProgress &p) {
            progress(p.pass, static_cast<double>(p.done), static_cast<double>(p.total));
        };
    }
    const TorsionSearchOutcome outcome = SearchTorsionSprings(*request, options);
    return Printed(outcome.best.empty() ? kStopped : kCompleted,
                   DumpJson(TorsionSearchOutcomeJson(outcome, *request), 2) + "\n", err);
}

val TorsionReportOf(const DesignRequest &request, const DrawingDetails &details,
                    const std::string &date) {
    std::string problem;
    const auto outcome = Completed(request, problem);
    if (!outcome) {
        return Failure(problem);
    }
    return Success(
        "html", val(BuildTorsionReport(TorsionReportInputFor(request, *outcome, details, date))));
}

val TorsionDrawingOf(const DesignRequest &request, bool dxf, const DrawingDetails &details,
                     const std::string &date) {
    std::string problem;
    const auto outcome = Completed(request, problem);
    if (!outcome) {
        return Failure(problem);
    }
    const TorsionDrawingInput input = TorsionDrawingInputFor(request, *outcome, details, date);
    if (auto refusal = TorsionDrawingProblem(input)) {
        return Failure(*refusal);
    }
    const std::string bytes = TorsionDrawingBytes(input, dxf);
    return Success("data",
                   val(emscripten::typed_memory_view(
                           bytes.size(), reinterpret_cast<const unsigned char *>(bytes.data())))
                       .call<val>("slice"));
}

std::optional<std::string> TorqueAngleChartOf(const DesignRequest &request, std::string &problem) {
    const auto outcome = Completed(request, problem);
    if (!outcome) {
        return std::nullopt;
    }
    return TorqueAngleSvg(outcome->spring);
}
