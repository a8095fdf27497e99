#pragma once

#include <optional>
#include <string>

// What the check options ask of a design (filled by their own option group).
// Numbers are kept as typed and checked when the design is judged, as the
// design's own numbers are.
struct CheckRequest {
    bool check = false;  // run the engineering checks after a completed calculation
    bool strict = false; // a completed design with a failed check exits 5
    std::string endCondition = "fixed-fixed";
    std::string standard = "gb";
    std::optional<std::string> loadCycles;
    std::optional<std::string> workingFrequency;
    std::optional<std::string> hookBendRadius;
    std::optional<std::string> tensileStrength; // over the material entry
    std::optional<std::string> elasticModulus;
    std::optional<std::string> density;

    bool operator==(const CheckRequest &) const = default;
};
