#include "search_json.h"

#include "outcome_json.h"

#include <fmt/format.h>

namespace {

bool IsExtension(const SearchRequest &r) {
    return r.typeSign == kExtensionSpring;
}

// The shortest decimal that reads back as the same float, as the single
// design reads its numbers.
std::string Exact(float value) {
    return fmt::format("{}", value);
}

nlohmann::ordered_json DesignJson(const EvaluatedDesign &e, const SearchRequest &r) {
    const SpringDesign &s = e.design;
    nlohmann::ordered_json json;
    json["wire_diameter"] = FloatJson(s.WireDiameter);
    json["mean_diameter"] = FloatJson(s.MeanDiameter);
    json["active_coils"] = FloatJson(s.ActiveCoils);
    json["total_coils"] = FloatJson(s.TotalCoils);
    json["free_height"] = FloatJson(s.FreeHeight);
    if (IsExtension(r)) {
        json["pitch"] = FloatJson(s.Pitch);
        json["initial_tension"] = FloatJson(s.InitialTension);
    }
    json["heights"] = {FloatJson(s.WorkingHeight1), FloatJson(s.WorkingHeight2),
                       FloatJson(s.WorkingHeight3)};
    json["loads"] = {FloatJson(s.WorkingLoad1), FloatJson(s.WorkingLoad2),
                     FloatJson(s.WorkingLoad3)};
    json["max_shear_stress"] =
        e.stressComputed ? FloatJson(s.MaxShearStress) : nlohmann::ordered_json(nullptr);
    json["mass"] = e.mass ? nlohmann::ordered_json(*e.mass) : nullptr;
    auto checks = nlohmann::ordered_json::array();
    for (const CheckResult &check : e.checks) {
        checks.push_back({{"id", check.id},
                          {"verdict", CheckVerdictName(check.verdict)},
                          {"value", check.value ? nlohmann::ordered_json(*check.value) : nullptr},
                          {"limit", check.limit ? nlohmann::ordered_json(*check.limit) : nullptr}});
    }
    json["checks"] = std::move(checks);
    auto reasons = nlohmann::ordered_json::array();
    for (const MissReason &reason : e.misses) {
        reasons.push_back(MissReasonText(reason));
    }
    json["reasons"] = std::move(reasons);
    json["command"] = ReproducingArguments(e, r);
    return json;
}

} // namespace

nlohmann::ordered_json SearchOutcomeJson(const SearchOutcome &outcome, const SearchRequest &r) {
    nlohmann::ordered_json json;
    json["candidates"] = outcome.candidates;
    json["calculated"] = outcome.calculated;
    json["qualified"] = outcome.qualified;
    json["seconds"] = outcome.seconds;
    json["threads"] = outcome.threads;
    json["strength_load"] = StrengthLoad(r); // N: the F3 the stress is judged at
    auto designs = nlohmann::ordered_json::array();
    for (const EvaluatedDesign &e : outcome.best) {
        designs.push_back(DesignJson(e, r));
    }
    json["designs"] = std::move(designs);
    auto misses = nlohmann::ordered_json::array();
    for (const EvaluatedDesign &e : outcome.nearestMisses) {
        misses.push_back(DesignJson(e, r));
    }
    json["nearest_misses"] = std::move(misses);
    return json;
}

std::vector<std::string> ReproducingArguments(const EvaluatedDesign &design,
                                              const SearchRequest &request) {
    const SpringDesign &s = design.design;
    std::vector<std::string> args = {
        "--material=" + request.material,
        "--shear-modulus=" + Exact(s.ShearModulus),
        "--allowable-shear-stress=" + Exact(s.AllowableShearStress),
        "--wire-diameter=" + Exact(s.WireDiameter),
        "--mean-diameter=" + Exact(s.MeanDiameter),
        "--active-coils=" + Exact(s.ActiveCoils),
    };
    if (IsExtension(request)) {
        args.insert(args.begin(), "--extension");
        args.push_back("--pitch=" + Exact(s.Pitch));
        args.push_back("--initial-tension=" + Exact(s.InitialTension));
    } else {
        args.push_back("--total-coils=" + Exact(s.TotalCoils));
        args.push_back("--free-height=" + Exact(s.FreeHeight));
    }
    args.push_back("--working-height1=" + Exact(s.WorkingHeight1));
    args.push_back("--working-height2=" + Exact(s.WorkingHeight2));
    args.push_back("--working-height3=" + Exact(s.WorkingHeight3));
    args.insert(args.end(), request.judgementArguments.begin(), request.judgementArguments.end());
    return args;
}
