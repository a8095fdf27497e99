#pragma once

#include "material_catalog.h"

// Whether a wire diameter is one of the standard diameters.
enum class StandardDiameter {
    FirstSeries, // preferred
    SecondSeries,
    NotStandard,
    Unknown, // the series is not in the data, or is partial and lacks the size
};

StandardDiameter StandardDiameterOf(const WireDiameterSeries &series, double wireDiameter);

// "first-series", "second-series", "not-standard", "unknown".
const char *StandardDiameterName(StandardDiameter kind);
