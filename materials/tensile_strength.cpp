#include "material_entry.h"

#include <cmath>

namespace {

bool Inside(const std::vector<TensileStrengthRow> &rows, double d) {
    return !rows.empty() && std::isfinite(d) && d >= rows.front().wireDiameter &&
           d <= rows.back().wireDiameter;
}

double Between(double a, double b, double t) {
    return a + (b - a) * t;
}

} // namespace

std::optional<TensileStrength> TensileStrengthAt(const MaterialEntry &entry, double wireDiameter) {
    const auto &rows = entry.rm;
    if (!Inside(rows, wireDiameter)) {
        return std::nullopt;
    }
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const TensileStrengthRow &row = rows[i];
        if (wireDiameter > row.wireDiameter) {
            continue;
        }
        if (wireDiameter == row.wireDiameter || entry.rmRule == RmRule::StepUpTo || i == 0) {
            return TensileStrength{row.rmMin, row.rmMax};
        }
        const TensileStrengthRow &below = rows[i - 1];
        const double span = row.wireDiameter - below.wireDiameter;
        if (!(span > 0.0)) {
            return TensileStrength{row.rmMin, row.rmMax};
        }
        const double t = (wireDiameter - below.wireDiameter) / span;
        // A maximum that only one of the two rows gives is not made up.
        const bool bothMax = below.rmMax > 0.0 && row.rmMax > 0.0;
        return TensileStrength{Between(below.rmMin, row.rmMin, t),
                               bothMax ? Between(below.rmMax, row.rmMax, t) : 0.0};
    }
    return std::nullopt;
}
