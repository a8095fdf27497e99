#include "search_setup.h"

#include "check_options.h"
#include "default_wire_diameters.h"
#include "field_check.h"
#include "grade_lookup.h"
#include "material_texts.h"
#include "missing_figures.h"
#include "number_format.h"
#include "option_ranges.h"
#include "permissible_stress.h"
#include "search_design_request.h"
#include "search_option_reader.h"
#include "shared_materials.h"
#include "user_text.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace {

const std::vector<SearchOptionSpec> kSearchOptions = {
    {"load1", "N", "第一工作载荷F1 (必需)"},
    {"height1", "MM", "F1 下的工作高度H1 (必需)"},
    {"load2", "N", "第二工作载荷F2 > F1 (必需)"},
    {"height2", "MM", "F2 下的工作高度H2 (必需; 压缩弹簧 H2 < H1, 拉伸弹簧 H2 > H1)"},
    {"load3", "N", "最大工作载荷F3 > F2 (可选, 与 --height3 一起)"},
    {"height3", "MM", "F3 下的工作高度H3"},
    {"extension", "", "拉伸弹簧, 圆钩环 (默认: 压缩弹簧, 两端并紧磨平)"},
    {"material", "TEXT", "材料牌号 (必需, 须为已知牌号)"},
    {"materials-file", "FILE", "另外读入的材料文件"},
    {"shear-modulus", "MPA", "切变模量G (默认取自材料)"},
    {"allowable-shear-stress", "MPA", "许用切应力 (默认按载荷类型和材料直径取自材料)"},
    {"load-type", "TYPE", "static|dynamic-limited|dynamic-unlimited (static)"},
    {"load-cycles", "N", "载荷循环次数 (默认: 静载)"},
    {"end-condition", "TYPE", "fixed-fixed|fixed-pinned|pinned-pinned|fixed-free (fixed-fixed)"},
    {"working-frequency", "HZ", "工作频率"},
    {"hook-bend-radius", "MM", "拉伸弹簧钩环弯曲半径r2"},
    {"standard", "gb|en", "校核方法 (gb)"},
    {"tensile-strength", "MPA", "抗拉强度Rm (默认取自材料)"},
    {"elastic-modulus", "MPA", "弹性模量E (默认取自材料)"},
    {"density", "KG_PER_DM3", "密度 (默认取自材料; 按质量排序时必需)"},
    {"max-outer-diameter", "MM", "最大外径 D + d"},
    {"min-inner-diameter", "MM", "最小内径 D - d"},
    {"max-free-height", "MM", "最大自由高度H0"},
    {"max-solid-height", "MM", "最大压并高度Hb (压缩弹簧)"},
    {"tolerance", "PERCENT|+A,-B", "每个载荷的允许偏差 %, 或上偏差,下偏差 (2)"},
    {"max-stress-ratio", "R", "F3 下切应力不超过 R × 许用切应力, 0 < R ≤ 1 (1)"},
    {"second-series", "", "加入 GB/T 1358 第二系列的材料直径"},
    {"wire-diameters", "LIST", "材料直径, 逗号分隔 (代替 GB/T 1358 系列)"},
    {"index-range", "MIN,MAX", "旋绕比 D/d 的范围 (4,16)"},
    {"active-coils-range", "MIN,MAX",
     "有效圈数范围, 步长0.25 (3,50; 少于 3 圈刚度不准, 下限不得小于 2)"},
    {"end-coils", "X", "压缩弹簧: 总圈数 = 有效圈数 + X, 1 < X <= 2.5 (2)"},
    {"pitch", "MM", "拉伸弹簧节距 (默认: 密绕, 节距 = 材料直径)"},
    {"minimize", "WHAT", "mass|solid-height|outer-diameter|stress (mass)"},
    {"top", "N", "输出的设计数 (10)"},
    {"format", "text|tsv|json", "输出格式 (text)"},
    {"torsion", "", "扭转弹簧: 由工作扭矩和扭转角搜索 (代替 --load1 ... --height3)"},
    {"working-torque1", "N_MM", "扭转弹簧: 第一工作扭矩T1 (可选, 与 --working-angle1 一起)"},
    {"working-angle1", "DEG", "扭转弹簧: T1 下的扭转角φ1"},
    {"working-torque2", "N_MM", "扭转弹簧: 工作扭矩T2 > T1 (必需)"},
    {"working-angle2", "DEG", "扭转弹簧: T2 下的扭转角φ2 > φ1 (必需)"},
    {"leg-length1", "MM", "扭转弹簧臂长 l1 (0)"},
    {"leg-length2", "MM", "扭转弹簧臂长 l2 (0)"},
    {"load-direction", "wind|unwind", "扭转弹簧加载方向 (wind)"},
    {"arbor-diameter", "MM", "扭转弹簧芯轴直径 (校核间隙)"},
    {"max-body-length", "MM", "扭转弹簧最大弹簧体长度 (最大扭转角时)"},
};

constexpr const char *kOrGiveStress = "; 也可用 --allowable-shear-stress 直接给出许用切应力";

// The options only a torsion spring's search reads.
constexpr std::array<const char *, 9> kTorsionOnly = {
    "working-torque1", "working-angle1", "working-torque2", "working-angle2", "leg-length1",
    "leg-length2",     "load-direction", "arbor-diameter",  "max-body-length"};

std::optional<EndCondition> EndConditionFromName(const std::string &name) {
    if (name == "fixed-fixed") {
        return EndCondition::FixedFixed;
    }
    if (name == "fixed-pinned") {
        return EndCondition::FixedPinned;
    }
    if (name == "pinned-pinned") {
        return EndCondition::PinnedPinned;
    }
    if (name == "fixed-free") {
        return EndCondition::FixedFree;
    }
    return std::nullopt;
}

std::optional<SearchObjective> ObjectiveFromName(const std::string &name) {
    if (name == "mass") {
        return SearchObjective::Mass;
    }
    if (name == "solid-height") {
        return SearchObjective::SolidHeight;
    }
    if (name == "outer-diameter") {
        return SearchObjective::OuterDiameter;
    }
    if (name == "stress") {
        return SearchObjective::Stress;
    }
    return std::nullopt;
}

std::string Shortest(double value) {
    return FormatGeneral(static_cast<float>(value));
}

void ReadPoints(OptionReader &in, SearchRequest &r) {
    r.first = {in.required("load1"), in.required("height1")};
    r.second = {in.required("load2"), in.required("height2")};
    if (in.has("load3") != in.has("height3")) {
        in.Fail("--load3 与 --height3 必须一起给出");
    } else if (in.has("load3")) {
        r.third = WorkingPointRequirement{in.required("load3"), in.required("height3")};
    }
}

} // namespace

SearchFormat ReadSearchFormat(OptionReader &in) {
    const std::string *format = in.text("format");
    if (!format || *format == "text") {
        return SearchFormat::Text;
    }
    if (*format == "tsv" || *format == "json") {
        return *format == "tsv" ? SearchFormat::Tsv : SearchFormat::Json;
    }
    in.Fail("--format 只能是 text、tsv 或 json");
    return SearchFormat::Text;
}

void ReadSearchSpace(OptionReader &in, SearchRequest &r) {
    r.limits.maxOuterDiameter = in.positive("max-outer-diameter");
    r.limits.minInnerDiameter = in.positive("min-inner-diameter");
    r.limits.maxFreeHeight = in.positive("max-free-height");
    r.limits.maxSolidHeight = in.positive("max-solid-height");
    if (r.limits.maxSolidHeight && r.typeSign != kCompressionSpring) {
        in.Fail("--max-solid-height 只用于压缩弹簧");
    }
    // "2" for ±2 %, or "+A,-B": A % above each required load, B % below it.
    if (const auto tolerance = in.list("tolerance"); tolerance.size() == 1) {
        r.tolerancePercent = tolerance[0];
    } else if (tolerance.size() == 2 && tolerance[0] >= 0.0 && tolerance[1] <= 0.0) {
        r.tolerancePercent = tolerance[0];
        r.toleranceBelowPercent = -tolerance[1];
    } else if (!tolerance.empty()) {
        in.Fail("--tolerance: 需要一个百分数, 或 +上偏差,-下偏差 (如 +3,-1)");
    }
    if (const auto ratio = in.positive("max-stress-ratio")) {
        if (*ratio > 1.0) {
            in.Fail("--max-stress-ratio: 须大于 0 且不大于 1 (切应力不能超过许用切应力)");
        }
        r.maxStressRatio = *ratio;
    }
    if (const auto range = in.list("index-range", 2); !range.empty()) {
        r.minIndex = range[0];
        r.maxIndex = range[1];
    }
    if (const auto range = in.list("active-coils-range", 2); !range.empty()) {
        r.minActiveCoils = range[0];
        r.maxActiveCoils = range[1];
        if (range[0] < kFewestActiveCoils) {
            in.Fail("--active-coils-range=" + Shortest(range[0]) + "," + Shortest(range[1]) +
                    ": 有效圈数下限不得小于 2 (少于 2 圈的弹簧不合格)");
        }
    }
    if (in.has("end-coils") && r.typeSign != kCompressionSpring) {
        in.Fail("--end-coils 只用于压缩弹簧");
    }
    r.endCoils = in.number("end-coils").value_or(2.0);
    if (in.has("pitch") && r.typeSign != kExtensionSpring) {
        in.Fail("--pitch 只用于拉伸弹簧 (压缩弹簧的节距由自由高度算出)");
    }
    r.pitch = in.positive("pitch");
    if (const std::string *what = in.text("minimize")) {
        if (auto objective = ObjectiveFromName(*what)) {
            r.objective = *objective;
        } else {
            in.Fail("--minimize 只能是 mass、solid-height、outer-diameter 或 stress");
        }
    }
    if (const auto top = in.number("top")) {
        if (*top < 1.0 || *top > 10000.0 || std::floor(*top) != *top) {
            in.Fail("--top 必须是1至10000的整数");
        } else {
            r.top = static_cast<std::size_t>(*top);
        }
    }
}

namespace {

// The wire diameters to go through and [tau] at each: the designer's, else
// the standard's permissible stress as the checks of the reproducing command
// take it at that diameter (a given Rm, the standard and the duty included),
// so that the search and the single design hold a candidate to one figure.
void ReadWires(OptionReader &in, const MaterialEntry &entry, const MaterialCatalog &catalog,
               SearchSetup &setup) {
    const auto given = in.positive("allowable-shear-stress");
    setup.allowableGiven = given.has_value();
    const auto hookRadius = in.positive("hook-bend-radius");
    std::vector<double> diameters = in.list("wire-diameters");
    const bool listed = in.has("wire-diameters");
    if (listed && in.flag("second-series")) {
        in.Fail("--wire-diameters 代替直径系列, 不能与 --second-series 同用");
    }
    if (in.failed()) {
        return;
    }
    if (!listed) {
        const DefaultWireDiameters defaults =
            DefaultWireDiametersFor(catalog, entry, in.flag("second-series"));
        if (defaults.diameters.empty()) {
            in.Fail(defaults.description);
            return;
        }
        diameters = defaults.diameters;
        setup.notes.push_back(defaults.description);
        if (in.flag("second-series") && catalog.series.second.empty()) {
            setup.notes.push_back("--second-series 未增加任何直径: 线径系列数据中没有 GB/T 1358 "
                                  "第二系列 (可在自己的材料文件中给出 \"second\")");
        }
    }
    const SpringTypeSign sign = setup.request.typeSign;
    std::vector<double> hookTooTight;
    for (double d : diameters) {
        if (!(d > 0.0)) {
            in.Fail("--wire-diameters: 材料直径必须大于0!");
            return;
        }
        // The single design refuses a hook bent tighter than half its wire.
        if (sign == kExtensionSpring && hookRadius && *hookRadius <= d / 2.0) {
            hookTooTight.push_back(d);
            continue;
        }
        SpringDesign probe;
        probe.WireDiameter = static_cast<float>(d);
        probe.AllowableShearStress = given ? static_cast<float>(*given) : 0.0F;
        const PreparedCheckInputs prepared = PrepareCheckInputs(
            setup.judged.checks, &entry, probe, sign, setup.judged.materials.loadType);
        if (prepared.error) {
            in.Fail(*prepared.error);
            return;
        }
        const auto &permissible = prepared.inputs.standardPermissible;
        if (!given && !permissible) {
            if (!listed) {
                continue; // the series beyond the material's table
            }
            // A certificate Rm gives a stress wherever one is a share of Rm.
            const bool rmWouldServe =
                !entry.fixedPermissible || setup.judged.checks.standard == "en";
            in.Fail("材料 " + entry.name + " 在 d = " + Shortest(d) +
                    " mm 没有许用切应力: " + prepared.inputs.standardPermissibleProblem +
                    (rmWouldServe && !setup.judged.checks.tensileStrength
                         ? "; " + CertificateRmHint()
                         : std::string()) +
                    kOrGiveStress);
            return;
        }
        setup.request.wires.push_back(
            {d, given ? *given : DesignersPermissibleStress(permissible->value)});
    }
    if (!hookTooTight.empty()) {
        setup.notes.push_back(
            "--hook-bend-radius=" + Shortest(*hookRadius) +
            " 不大于材料直径的一半, 跳过 d = " + Shortest(hookTooTight.front()) +
            (hookTooTight.size() > 1 ? "～" + Shortest(hookTooTight.back()) : "") + " mm");
    }
    if (setup.request.wires.empty()) {
        if (!hookTooTight.empty() && hookTooTight.size() == diameters.size()) {
            in.Fail("--hook-bend-radius=" + Shortest(*hookRadius) +
                    ": 钩环弯曲半径 r2 不大于任何材料直径的一半");
        } else if (entry.rm.empty() && !entry.fixedPermissible) {
            in.Fail("材料 " + entry.name + " 没有可查的抗拉强度表: " + CertificateRmHint() +
                    kOrGiveStress);
        } else {
            in.Fail("直径系列中没有落在材料 " + entry.name + " 数据表范围内的材料直径");
        }
        return;
    }
    if (!given) {
        std::string note = "许用切应力按 " +
                           std::string(LoadCaption(EffectiveLoadType(setup.judged))) +
                           " 取自材料 " + entry.name + " (各材料直径";
        if (setup.judged.checks.standard == "en") {
            note += ", EN 13906-1";
        }
        if (setup.judged.checks.tensileStrength) {
            note += ", 抗拉强度按钢丝质保书 Rm = " + *setup.judged.checks.tensileStrength + " MPa";
        }
        setup.notes.push_back(note + ")");
    }
}

// The check options' names and numbers, refused with the option named.
void ReadCheckOptions(OptionReader &in) {
    if (const std::string *name = in.text("end-condition"); name && !EndConditionFromName(*name)) {
        in.Fail("--end-condition 只能是 fixed-fixed、fixed-pinned、pinned-pinned 或 fixed-free");
    }
    if (const std::string *name = in.text("standard"); name && *name != "gb" && *name != "en") {
        in.Fail("--standard 只能是 gb 或 en");
    }
    for (const char *name : {"load-cycles", "working-frequency", "hook-bend-radius",
                             "tensile-strength", "elastic-modulus"}) {
        in.positive(name);
    }
}

} // namespace

const std::vector<SearchOptionSpec> &SearchOptionSpecs() {
    return kSearchOptions;
}

std::optional<SearchSetup> BuildSearch(const SearchArguments &arguments, std::string &error) {
    OptionReader in(arguments);
    SearchSetup setup;
    SearchRequest &r = setup.request;
    r.typeSign = in.flag("extension") ? kExtensionSpring : kCompressionSpring;
    if (in.flag("torsion")) {
        in.Fail("--torsion: 这里不能搜索扭转弹簧, 请用 orsela-cli search --torsion");
    }
    for (const char *name : kTorsionOnly) {
        if (in.has(name)) {
            in.Fail("--" + std::string(name) + ": 只用于扭转弹簧的搜索, 请同时给出 --torsion");
        }
    }
    ReadPoints(in, r);
    setup.format = ReadSearchFormat(in);
    ReadSearchSpace(in, r);
    // The duty is the single design's: a given load type, else the cycles decide.
    if (const std::string *name = in.text("load-type"); name && !LoadTypeFromName(*name)) {
        in.Fail("--load-type 只能是 static、dynamic-limited 或 dynamic-unlimited");
    }
    if (!in.has("material")) {
        in.Fail("缺少必需的选项 --material (已知的材料牌号, 见 orsela-cli materials)");
    } else if (auto problem = OneLineTextProblem(*in.text("material"))) {
        in.Fail("--material: 弹簧材料" + *problem + ": " + QuotedForMessage(*in.text("material")));
    }
    const auto modulus = in.positive("shear-modulus");
    const auto density = in.positive("density");
    if (in.failed()) {
        error = in.error();
        return std::nullopt;
    }

    std::optional<std::string> explicitFile;
    if (const std::string *file = in.text("materials-file")) {
        explicitFile = *file;
    }
    const LoadedMaterials &loaded = SharedMaterials(explicitFile);
    setup.notes = loaded.problems;
    const std::string &grade = *in.text("material");
    const GradeLookup lookup = LookUpGrade(loaded.catalog, grade);
    if (lookup.entry == nullptr) {
        error = lookup.error;
        return std::nullopt;
    }
    const MaterialEntry *entry = lookup.entry;
    // A grade that lacks G, E or rho is searched only with the designer's figures.
    if (const std::string missing = MissingFiguresText(
            *entry,
            [&in](std::string_view option) { return in.has(std::string(option.substr(2))); });
        !missing.empty()) {
        error = missing;
        return std::nullopt;
    }
    r.material = grade;
    r.shearModulus = modulus.value_or(entry->shearModulus);
    if (!modulus) {
        if (!(entry->shearModulus > 0.0)) {
            error = "材料 " + entry->name + " 没有切变模量数据, 请用 --shear-modulus 给出";
            return std::nullopt;
        }
        setup.notes.push_back(entry->moduliByDiameter.empty()
                                  ? "切变模量 G = " + Shortest(r.shearModulus) + " MPa 取自材料 " +
                                        entry->name
                                  : "切变模量 G 按钢丝直径分段取自材料 " + entry->name);
    }
    if (density) {
        r.density = density;
    } else if (entry->density > 0.0) {
        r.density = entry->density;
    }
    if (r.objective == SearchObjective::Mass && !r.density) {
        error = "按质量排序需要密度: 材料 " + entry->name +
                " 的数据没有密度, 请用 --density 给出, 或用 --minimize 选别的目标";
        return std::nullopt;
    }
    ReadCheckOptions(in);
    // The reproducing command carries every option the checks used, and the
    // candidates are judged with exactly those: the same call, the same verdicts.
    r.judgementArguments = {"--check"};
    for (const char *name : {"materials-file", "load-type", "load-cycles", "end-condition",
                             "standard", "working-frequency", "hook-bend-radius",
                             "tensile-strength", "elastic-modulus", "density"}) {
        if (const std::string *value = in.text(name)) {
            r.judgementArguments.push_back("--" + std::string(name) + "=" + *value);
        }
    }
    if (!in.failed()) {
        if (auto refused = StoreArguments(r.judgementArguments, setup.judged)) {
            in.Fail(*refused);
        }
        setup.judged.material = grade;
        setup.entry = entry;
    }
    ReadWires(in, *entry, loaded.catalog, setup);
    if (in.failed()) {
        error = in.error();
        return std::nullopt;
    }
    // A grade whose G depends on the wire diameter gives each wire its own.
    if (!modulus && !entry->moduliByDiameter.empty()) {
        for (WireChoice &wire : r.wires) {
            wire.shearModulus = ElasticConstantsAt(*entry, wire.diameter).shearModulus;
        }
    }
    if (auto problem = SearchRequestProblem(r)) {
        error = *problem;
        return std::nullopt;
    }
    setup.notes.push_back(
        "强度按 F3 = " + FormatThreeDecimals(static_cast<float>(StrengthLoad(r))) +
        " N 校核 (要求的 F3 加上偏差 " + Shortest(r.tolerancePercent) + "%, 即公差允许的最大载荷)");
    return setup;
}

CandidateChecks ChecksFor(const SearchSetup &setup) {
    return [&setup](const SpringDesign &design, SpringTypeSign sign) {
        return JudgeChecks(setup.judged, setup.entry, design, sign).results;
    };
}
