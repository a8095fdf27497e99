#include "torsion_search.h"

#include "candidate_grid.h"
#include "check_options.h"
#include "default_wire_diameters.h"
#include "grade_lookup.h"
#include "number_format.h"
#include "search_option_reader.h"
#include "shared_materials.h"
#include "torsion_candidate.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

namespace {

// The options of the other kinds' search that a torsion spring does not take.
constexpr std::array<const char *, 18> kNotForTorsion = {"load1",
                                                         "height1",
                                                         "load2",
                                                         "height2",
                                                         "load3",
                                                         "height3",
                                                         "extension",
                                                         "shear-modulus",
                                                         "allowable-shear-stress",
                                                         "end-condition",
                                                         "working-frequency",
                                                         "hook-bend-radius",
                                                         "min-inner-diameter",
                                                         "max-free-height",
                                                         "max-solid-height",
                                                         "end-coils",
                                                         "pitch",
                                                         "max-stress-ratio"};

// Passed to every candidate as given; the single design checks them.
constexpr std::array<const char *, 11> kPassedOn = {
    "materials-file",   "load-type",       "load-cycles",   "standard",
    "tensile-strength", "elastic-modulus", "density",       "leg-length1",
    "leg-length2",      "load-direction",  "arbor-diameter"};

// Beyond this many (d, D) pairs a search would run for minutes: refused.
constexpr std::size_t kMostPairs = 200000;

std::string Shortest(double value) {
    return FormatGeneral(static_cast<float>(value));
}

// Enough digits that the candidate's command gives back its own torques.
std::string Exact(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

void ReadPoints(OptionReader &in, TorsionSearchRequest &r) {
    r.second = {in.required("working-torque2"), in.required("working-angle2")};
    if (in.has("working-torque1") != in.has("working-angle1")) {
        in.Fail("--working-torque1 与 --working-angle1 必须一起给出");
    } else if (in.has("working-torque1")) {
        r.first = TorsionPoint{in.required("working-torque1"), in.required("working-angle1")};
    }
    if (in.failed()) {
        return;
    }
    if (!(r.second.torque > 0.0) || !(r.second.angle > 0.0)) {
        in.Fail("--working-torque2, --working-angle2: 扭矩和扭转角都必须大于0");
    } else if (r.first && !(r.first->torque < r.second.torque)) {
        in.Fail("--working-torque1: 必须小于 --working-torque2");
    } else if (r.first && !(r.first->angle < r.second.angle)) {
        in.Fail("--working-angle1: 必须小于 --working-angle2");
    }
}

// The wires: the designer's list, else the grade's series.
void ReadWires(OptionReader &in, TorsionSearchRequest &r) {
    if (!in.has("material")) {
        in.Fail("缺少必需的选项 --material (已知的材料牌号, 见 orsela-cli materials)");
        return;
    }
    std::optional<std::string> file;
    if (const std::string *name = in.text("materials-file")) {
        file = *name;
    }
    const LoadedMaterials &loaded = SharedMaterials(file);
    r.notes = loaded.problems;
    const GradeLookup lookup = LookUpGrade(loaded.catalog, *in.text("material"));
    if (lookup.entry == nullptr) {
        in.Fail("--material: " + lookup.error);
        return;
    }
    if (in.has("wire-diameters")) {
        if (in.flag("second-series")) {
            in.Fail("--wire-diameters 代替直径系列, 不能与 --second-series 同用");
        }
        r.wires = in.list("wire-diameters");
        if (std::any_of(r.wires.begin(), r.wires.end(), [](double d) { return !(d > 0.0); })) {
            in.Fail("--wire-diameters: 材料直径必须大于0!");
        }
    } else {
        const DefaultWireDiameters series =
            DefaultWireDiametersFor(loaded.catalog, *lookup.entry, in.flag("second-series"));
        if (series.diameters.empty()) {
            in.Fail(series.description);
        }
        r.wires = series.diameters;
        r.notes.push_back(series.description);
    }
    std::sort(r.wires.begin(), r.wires.end());
    r.wires.erase(std::unique(r.wires.begin(), r.wires.end()), r.wires.end());
}

} // namespace

double RequiredAngularRate(const TorsionSearchRequest &request) {
    const TorsionPoint from = request.first.value_or(TorsionPoint{});
    return (request.second.torque - from.torque) / (request.second.angle - from.angle);
}

std::optional<TorsionSearchRequest> BuildTorsionSearch(const SearchArguments &arguments,
                                                       std::string &error) {
    OptionReader in(arguments);
    TorsionSearchRequest r;
    for (const char *name : kNotForTorsion) {
        if (in.has(name) || in.flag(name)) {
            in.Fail("--" + std::string(name) + ": 只用于压缩弹簧或拉伸弹簧的搜索, 扭转弹簧 " +
                    "(--torsion) 不用这个选项");
        }
    }
    ReadPoints(in, r);
    r.format = ReadSearchFormat(in);
    r.space.maxIndex = 20.0; // the torsion spring's index reaches 20 (EN 13906-3)
    ReadSearchSpace(in, r.space);
    if (r.space.objective == SearchObjective::SolidHeight) {
        in.Fail("--minimize=solid-height: 扭转弹簧只能按 mass、outer-diameter 或 stress 排序");
    }
    r.maxBodyLength = in.positive("max-body-length");
    if (r.space.minIndex <= 1.0 || r.space.maxIndex < r.space.minIndex ||
        r.space.maxIndex > 1000.0) {
        in.Fail("--index-range: 旋绕比须大于 1, 且 MIN ≤ MAX ≤ 1000");
    }
    if (r.space.maxActiveCoils < r.space.minActiveCoils || r.space.maxActiveCoils > 1000.0) {
        in.Fail("--active-coils-range: 须 MIN ≤ MAX ≤ 1000");
    }
    ReadWires(in, r);
    if (in.failed()) {
        error = in.error();
        return std::nullopt;
    }
    r.fixedArguments = {"--torsion", "--check", "--known-torques",
                        "--material=" + *in.text("material")};
    if (r.first) {
        r.fixedArguments.push_back("--working-torque1=" + Exact(r.first->torque));
    }
    r.fixedArguments.push_back("--working-torque2=" + Exact(r.second.torque));
    for (const char *name : kPassedOn) {
        if (const std::string *value = in.text(name)) {
            r.fixedArguments.push_back("--" + std::string(name) + "=" + *value);
        }
    }
    // A refusal every candidate would share (a value out of range, no E, no
    // density for the mass) is the search's own, with the option named.
    const double probeD = r.wires.front() * std::max(r.space.minIndex, 4.0);
    const TorsionCandidate probe = JudgeTorsionCandidate(r, r.wires.front(), probeD, 10.0);
    if (probe.outcome.status == DesignStatus::Refused) {
        error = probe.outcome.message;
        return std::nullopt;
    }
    if (r.space.objective == SearchObjective::Mass &&
        probe.outcome.status == DesignStatus::Completed && !probe.outcome.spring.mass) {
        error = "--density: 按质量排序需要密度, 材料数据没有, 请给出 --density 或用 --minimize "
                "选别的目标";
        return std::nullopt;
    }
    std::size_t pairs = 0;
    for (double d : r.wires) {
        pairs += static_cast<std::size_t>(
            MeanDiameterTenths(d, r.space.minIndex, r.space.maxIndex).count());
    }
    if (pairs > kMostPairs) {
        error = "--index-range: 候选 (d, D) 有 " + std::to_string(pairs) + " 对, 多于 " +
                std::to_string(kMostPairs) + " 对, 请缩小旋绕比范围或给出 --wire-diameters";
        return std::nullopt;
    }
    r.notes.push_back(
        "要求的扭转刚度 T' = " + FormatThreeDecimals(static_cast<float>(RequiredAngularRate(r))) +
        " N·mm/°, 允许偏差 +" + Shortest(r.space.tolerancePercent) + "%, -" +
        Shortest(ToleranceBelowPercent(r.space)) + "%");
    return r;
}
