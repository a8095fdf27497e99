#include "torsion_search_json.h"

#include "miss_reason.h"
#include "outcome_json.h"
#include "shell_command_line.h"
#include "torsion_outcome_json.h"

namespace {

// Each design with its deviation, the command that gives it again, its
// judged outcome and the rules it breaks (none for a listed design).
nlohmann::ordered_json DesignsJson(const std::vector<TorsionCandidate> &designs) {
    auto json = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < designs.size(); ++i) {
        const TorsionCandidate &c = designs[i];
        nlohmann::ordered_json design;
        design["rank"] = i + 1;
        design["rate_deviation_percent"] = FloatJson(static_cast<float>(c.rateDeviationPercent));
        design["arguments"] = c.arguments;
        design["command"] = CommandLineOf(c.arguments);
        design["design"] = TorsionOutcomeJson(c.outcome);
        auto reasons = nlohmann::ordered_json::array();
        for (const MissReason &reason : c.misses) {
            reasons.push_back(MissReasonText(reason));
        }
        design["reasons"] = std::move(reasons);
        json.push_back(std::move(design));
    }
    return json;
}

} // namespace

nlohmann::ordered_json TorsionSearchOutcomeJson(const TorsionSearchOutcome &outcome,
                                                const TorsionSearchRequest &request) {
    nlohmann::ordered_json json;
    json["kind"] = "torsion";
    json["required_rate"] = FloatJson(static_cast<float>(RequiredAngularRate(request)));
    json["judged"] = outcome.judged;
    json["qualified"] = outcome.qualified;
    json["designs"] = DesignsJson(outcome.best);
    json["nearest_misses"] = DesignsJson(outcome.nearestMisses);
    return json;
}
