#include "wire_series.h"

#include <cmath>

namespace {

// Diameters are typed with at most three decimals; a thousandth of a
// millimetre tells two sizes of the series apart.
constexpr double kTolerance = 5e-4;

bool Holds(const std::vector<double> &sizes, double d) {
    for (double size : sizes) {
        if (std::fabs(size - d) <= kTolerance) {
            return true;
        }
    }
    return false;
}

} // namespace

StandardDiameter StandardDiameterOf(const WireDiameterSeries &series, double wireDiameter) {
    if (series.first.empty() && series.second.empty()) {
        return StandardDiameter::Unknown;
    }
    if (Holds(series.first, wireDiameter)) {
        return StandardDiameter::FirstSeries;
    }
    if (Holds(series.second, wireDiameter)) {
        return StandardDiameter::SecondSeries;
    }
    // A size missing from a partial series may be standard all the same.
    return series.complete ? StandardDiameter::NotStandard : StandardDiameter::Unknown;
}

const char *StandardDiameterName(StandardDiameter kind) {
    switch (kind) {
    case StandardDiameter::FirstSeries:
        return "first-series";
    case StandardDiameter::SecondSeries:
        return "second-series";
    case StandardDiameter::NotStandard:
        return "not-standard";
    case StandardDiameter::Unknown:
        return "unknown";
    }
    return "unknown";
}
