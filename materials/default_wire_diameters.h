#pragma once

#include "material_catalog.h"

#include <string>
#include <vector>

// The wire diameters a search tries when the user gives none: the GB/T 1358
// first series (with the second where asked, ascending) within the range of the grade's
// tensile-strength table; the series alone where the grade has no table;
// the table's own diameters where there is no series, or where no size of
// the series falls inside the table.
enum class DefaultDiameterBasis {
    SeriesWithinTable,
    SeriesOnly,
    TableDiameters,
    None, // neither a series nor a table
};

struct DefaultWireDiameters {
    std::vector<double> diameters; // mm, ascending
    DefaultDiameterBasis basis = DefaultDiameterBasis::None;
    std::string description; // which list, in Chinese, for stderr
};

DefaultWireDiameters DefaultWireDiametersFor(const MaterialCatalog &catalog,
                                             const MaterialEntry &entry, bool secondSeries = false);
