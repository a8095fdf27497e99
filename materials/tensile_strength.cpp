#include "material_entry.h"

#include <cmath>

namespace {

// Diameters are typed to a micrometre at most, and a design holds them as
// float: 0.3 comes back as 0.30000001. Within half a micrometre a diameter
// is on a row, so that it never slips to the next row's lower Rm.
constexpr double kOnRow = 5e-7;

bool Inside(const std::vector<TensileStrengthRow> &rows, double d) {
    return !rows.empty() && std::isfinite(d) && d >= rows.front().wireDiameter - kOnRow &&
           d <= rows.back().wireDiameter + kOnRow;
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
        if (wireDiameter > row.wireDiameter + kOnRow) {
            continue;
        }
        if (std::fabs(wireDiameter - row.wireDiameter) <= kOnRow ||
            entry.rmRule == RmRule::StepUpTo || i == 0) {
            return TensileStrength{row.rmMin, row.rmMax, row.wireDiameter};
        }
        const TensileStrengthRow &below = rows[i - 1];
        const double span = row.wireDiameter - below.wireDiameter;
        if (!(span > 0.0)) {
            return TensileStrength{row.rmMin, row.rmMax, row.wireDiameter};
        }
        const double t = (wireDiameter - below.wireDiameter) / span;
        // A maximum that only one of the two rows gives is not made up.
        const bool bothMax = below.rmMax > 0.0 && row.rmMax > 0.0;
        return TensileStrength{Between(below.rmMin, row.rmMin, t),
                               bothMax ? Between(below.rmMax, row.rmMax, t) : 0.0, 0.0};
    }
    return std::nullopt;
}

ElasticConstants ElasticConstantsAt(const MaterialEntry &entry, double wireDiameter) {
    for (const ModulusBand &band : entry.moduliByDiameter) {
        if (wireDiameter <= band.upToDiameter + kOnRow) {
            return ElasticConstants{band.shearModulus, band.elasticModulus};
        }
    }
    return ElasticConstants{entry.shearModulus, entry.elasticModulus};
}
