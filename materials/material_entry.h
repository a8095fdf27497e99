#pragma once

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
    double rmMax = 0.0;        // MPa
};

struct MaterialEntry {
    std::string name;                 // as designers write it: "65Mn", "SH", "C级"
    std::vector<std::string> aliases; // "GB/T 4357 SH", "碳素弹簧钢丝C级", ...
    std::string standard;             // "GB/T 4357-2009"
    MaterialFamily family = MaterialFamily::CarbonSpringWire;
    double shearModulus = 0.0;             // G, MPa
    double elasticModulus = 0.0;           // E, MPa
    double density = 0.0;                  // rho, kg/dm3
    std::optional<double> maxTemperature;  // highest working temperature, degC, where given
    std::vector<TensileStrengthRow> rm;    // ascending wire diameter
    std::string source;                    // standard and table, or the public page
    std::string note;                      // disagreements between sources, and the choice made
};

// Rm at a wire diameter: linear between the two neighbouring rows, the row's
// own figures on a row; outside the first and last rows nothing (never
// extrapolated).
struct TensileStrength {
    double rmMin = 0.0;
    double rmMax = 0.0;
};
std::optional<TensileStrength> TensileStrengthAt(const MaterialEntry &entry, double wireDiameter);
