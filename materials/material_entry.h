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

// How the rows are read between them. No spring-wire source read supports
// interpolation: makers print the rows as diameter ranges, and JIS takes the
// next larger size. So by default a diameter between two rows takes the next
// larger diameter's row, the lower Rm (StepUpTo); Linear only for a table
// whose own source says its rows are interpolated.
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

// G and E of one diameter band, where the source gives them by wire diameter
// (music wire: thinner wire is stiffer).
struct ModulusBand {
    double upToDiameter = 0.0;   // mm, inclusive; infinity for the last band
    double shearModulus = 0.0;   // G, MPa; 0 where not given
    double elasticModulus = 0.0; // E, MPa; 0 where not given
};

struct MaterialEntry {
    std::string name;                 // as designers write it: "65Mn", "SH", "C级"
    std::vector<std::string> aliases; // "GB/T 4357 SH", "碳素弹簧钢丝C级", ...
    std::string standard;             // "GB/T 4357-2009"
    MaterialFamily family = MaterialFamily::CarbonSpringWire;
    // A figure the sources do not give is 0 here (null in the file): never a guess.
    double shearModulus = 0.0;   // G, MPa
    double elasticModulus = 0.0; // E, MPa
    double density = 0.0;        // rho, kg/dm3
    // G and E by wire diameter where the source gives bands: they govern at a
    // given diameter, and the single figures above only where none is known.
    std::vector<ModulusBand> moduliByDiameter;
    std::optional<double> maxTemperature; // highest working temperature, degC, where given
    std::vector<TensileStrengthRow> rm;   // ascending wire diameter; empty where not sourced
    RmRule rmRule = RmRule::StepUpTo;
    std::optional<FixedPermissible> fixedPermissible;
    std::string source; // standard and table, or the public page
    std::string note;   // disagreements between sources, and the choice made
    EntryProvenance provenance;
};

// Rm at a wire diameter: the figures of the first row at or above the
// diameter (RmRule::Linear: linear between the two neighbouring rows);
// outside the first and last rows nothing (never extrapolated).
struct TensileStrength {
    double rmMin = 0.0;
    double rmMax = 0.0;
    double rowDiameter = 0.0; // the row the figures come from; 0 where interpolated
};
std::optional<TensileStrength> TensileStrengthAt(const MaterialEntry &entry, double wireDiameter);

// G and E at a wire diameter: the band's where the entry has bands, else the
// entry's single figures; 0 where not given. Every reader takes them here.
struct ElasticConstants {
    double shearModulus = 0.0;   // MPa
    double elasticModulus = 0.0; // MPa
};
ElasticConstants ElasticConstantsAt(const MaterialEntry &entry, double wireDiameter);
