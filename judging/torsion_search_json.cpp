#include "torsion_search_json.h"

#include "outcome_json.h"
#include "shell_command_line.h"
#include "torsion_outcome_json.h"

nlohmann::ordered_json TorsionSearchOutcomeJson(const TorsionSearchOutcome &outcome,
                                                const TorsionSearchRequest &request) {
    nlohmann::ordered_json json;
    json["kind"] = "torsion";
    json["required_rate"] = FloatJson(static_cast<float>(RequiredAngularRate(request)));
    json["judged"] = outcome.judged;
    json["qualified"] = outcome.qualified;
    auto designs = nlohmann::ordered_json::array();
    for (std::size_t i = 0; i < outcome.best.size(); ++i) {
        const TorsionCandidate &c = outcome.best[i];
        nlohmann::ordered_json design;
        design["rank"] = i + 1;
        design["rate_deviation_percent"] = FloatJson(static_cast<float>(c.rateDeviationPercent));
        design["arguments"] = c.arguments;
        design["command"] = CommandLineOf(c.arguments);
        design["design"] = TorsionOutcomeJson(c.outcome);
        designs.push_back(std::move(design));
    }
    json["designs"] = std::move(designs);
    return json;
}
