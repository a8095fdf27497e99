#include "torsion_permissible.h"

#include <fmt/format.h>

#include <algorithm>
#include <vector>

namespace {

// Wei Jiang, Analysis and Design of Machine Elements, Table 14.3 (torsion
// springs, allowable bending stress as a share of σb): columns oil tempered,
// high carbon steels, stainless steels, copper alloys. Alloy spring steels
// are read in the high-carbon column, the lower of the two steel columns.
double TextbookShare(MaterialFamily family, LoadType load) {
    const int row = load == LoadType::Static ? 0 : load == LoadType::DynamicLimited ? 1 : 2;
    constexpr double kOil[] = {0.80, 0.64, 0.55};
    constexpr double kCarbon[] = {0.78, 0.62, 0.54};
    constexpr double kStainless[] = {0.75, 0.60, 0.50};
    constexpr double kCopper[] = {0.75, 0.60, 0.50};
    switch (family) {
    case MaterialFamily::OilTemperedWire:
        return kOil[row];
    case MaterialFamily::CarbonSpringWire:
    case MaterialFamily::AlloySpringSteel:
        return kCarbon[row];
    case MaterialFamily::StainlessSpringWire:
        return kStainless[row];
    case MaterialFamily::CopperAlloyWire:
        return kCopper[row];
    }
    return kStainless[row];
}

// Cold-drawn wire: the maker's static figure covers these families only.
bool ColdDrawn(MaterialFamily family) {
    return family == MaterialFamily::CarbonSpringWire ||
           family == MaterialFamily::StainlessSpringWire ||
           family == MaterialFamily::CopperAlloyWire;
}

std::string Share(double share) {
    return fmt::format("{:.3g}", share);
}

} // namespace

BendingShare PermissibleBendingShare(MaterialFamily family, LoadType load,
                                     LoadDirection direction) {
    struct Candidate {
        double share;
        std::string source;
    };
    std::vector<Candidate> candidates;
    const double textbook = TextbookShare(family, load);
    candidates.push_back({textbook, "Wei Jiang 表 14.3 " + Share(textbook) + "σb"});
    // 机械设计手册 Table 12-2-29: working limit σj, class III 0.8σb, class II 0.625σb;
    // class I is not given there.
    if (load == LoadType::Static) {
        candidates.push_back({0.8, "机械设计手册 表 12-2-29 III 类 0.8σb"});
    } else if (load == LoadType::DynamicLimited) {
        candidates.push_back({0.625, "机械设计手册 表 12-2-29 II 类 0.625σb"});
    }
    // A spring maker (aabag): 0.75σB for static or rarely loaded leg springs
    // of every cold-drawn spring wire.
    if (load == LoadType::Static && ColdDrawn(family)) {
        candidates.push_back({0.75, "aabag 冷拉弹簧钢丝静载 0.75σB"});
    }
    const auto lowest =
        std::min_element(candidates.begin(), candidates.end(),
                         [](const Candidate &a, const Candidate &b) { return a.share < b.share; });
    BendingShare result{lowest->share, ""};
    for (const Candidate &c : candidates) {
        result.clause += (result.clause.empty() ? "" : "; ") + c.source;
    }
    result.clause += candidates.size() > 1 ? "; 取较小者 " + lowest->source : "";
    if (direction == LoadDirection::Unwind) {
        // aabag: loaded in the opening sense, 20 % lower.
        result.share *= 0.8;
        result.clause += "; 松卷方向加载降低 20 % (aabag)";
    }
    return result;
}
