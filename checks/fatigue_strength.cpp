#include "fatigue_strength.h"

#include <algorithm>
#include <array>

namespace {

struct FatigueRow {
    double cycles;
    double share;
};

// Row by row the lower of the two transcriptions (see the header).
constexpr std::array<FatigueRow, 5> kRows = {{
    {1e4, 0.45},
    {1e5, 0.35},
    {1e6, 0.33},
    {1e7, 0.30},
    {1e8, 0.30},
}};

} // namespace

std::optional<double> PulsatingFatigueShare(double loadCycles) {
    if (!(loadCycles >= 1.0)) {
        return std::nullopt;
    }
    for (const FatigueRow &row : kRows) {
        if (loadCycles <= row.cycles) {
            return row.share;
        }
    }
    return std::nullopt;
}

std::optional<double> PulsatingFatigueShare(double loadCycles,
                                            std::optional<MaterialFamily> family) {
    const auto share = PulsatingFatigueShare(loadCycles);
    const bool lowerFirstRow = !family || *family == MaterialFamily::StainlessSpringWire ||
                               *family == MaterialFamily::CopperAlloyWire;
    if (share && lowerFirstRow) {
        return std::min(*share, 0.35);
    }
    return share;
}

std::optional<double> FatigueSafetyFactor(double fatigueStrength, double tauMin, double tauMax) {
    if (!(tauMax > 0.0)) {
        return std::nullopt;
    }
    return (fatigueStrength + 0.75 * tauMin) / tauMax;
}
