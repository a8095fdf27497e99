#pragma once

#include "provenance.h"

#include <optional>
#include <string>
#include <vector>

// One spring material as a designer looks it up: the grade, where its
// figures come from, its elastic constants and its tensile strength by wire
// diameter. Every entry names its source.

// The family decides which share of the tensile strength a spring may carry.
enum class MaterialFamily {
    CarbonSpringWire,    // cold-drawn carbon spring steel wire (GB/T 4357, EN 10270-1, ASTM A228)
    OilTemperedWire,     // oil-tempered wire (GB/T 18983, EN 10270-2)
    AlloySpringSteel,    // hot-rolled or drawn spring steels (65Mn, 60Si2MnA, 50CrVA)
    StainlessSpringWire, // stainless spring wire (GB/T 24588, EN 10270-3)
    CopperAlloyWire,     // silicon bronze and other copper alloys (QSi3-1)
};

// One row of the source's tensile-strength table.
struct TensileStrengthRow {
    double wireDiameter = 0.0; // mm
    double rmMin = 0.0;        // MPa
    double rmMax = 0.0;        // MPa; 0 where the source gives only the minimum
};

// How the rows are read between them. Tables of nominal diameters are read
// linearly; tables of diameter ranges ("1.50 < d <= 1.75") hold one value per
// range, and each row stands for the range that ends at its diameter.
enum class RmRule { Linear, StepUpTo };

// Permissible shear stresses that the source gives in MPa for a grade rather
// than as a share of Rm, with the wire diameters they apply to.
struct FixedPermissibleStress {
    double staticLoad = 0.0;       // MPa
    double dynamicLimited = 0.0;   // MPa
    double dynamicUnlimited = 0.0; // MPa
};
struct FixedPermissible {
    FixedPermissibleStress compression;
    FixedPermissibleStress extension;
    double fromDiameter = 0.0; // mm
    double toDiameter = 0.0;   // mm
    std::string source;
};

// The kind of source of each figure or table of an entry.
struct EntryProvenance {
    Provenance shearModulus = Provenance::Unmarked;
    Provenance elasticModulus = Provenance::Unmarked;
    Provenance density = Provenance::Unmarked;
    Provenance rm = Provenance::Unmarked;          // the tensile-strength table
    Provenance permissible = Provenance::Unmarked; // the grade's own stresses in MPa
};

struct MaterialEntry {
    std::string name;                 // as designers write it: "65Mn", "SH", "C级"
    std::vector<std::string> aliases; // "GB/T 4357 SH", "碳素弹簧钢丝C级", ...
    std::string standard;             // "GB/T 4357-2009"
    MaterialFamily family = MaterialFamily::CarbonSpringWire;
    // A figure the sources do not give is 0 here (null in the file): never a guess.
    double shearModulus = 0.0;            // G, MPa
    double elasticModulus = 0.0;          // E, MPa
    double density = 0.0;                 // rho, kg/dm3
    std::optional<double> maxTemperature; // highest working temperature, degC, where given
    std::vector<TensileStrengthRow> rm;   // ascending wire diameter; empty where not sourced
    RmRule rmRule = RmRule::Linear;
    std::optional<FixedPermissible> fixedPermissible;
    std::string source; // standard and table, or the public page
    std::string note;   // disagreements between sources, and the choice made
    EntryProvenance provenance;
};

// Rm at a wire diameter: linear between the two neighbouring rows, the row's
// own figures on a row (RmRule::StepUpTo: the figures of the first row at or
// above the diameter); outside the first and last rows nothing (never
// extrapolated).
struct TensileStrength {
    double rmMin = 0.0;
    double rmMax = 0.0;
};
std::optional<TensileStrength> TensileStrengthAt(const MaterialEntry &entry, double wireDiameter);
