#pragma once

#include <array>
#include <optional>
#include <string>

// What the torsion options ask of a design (filled by their own option
// group): the texts as typed, checked when the design is judged. The wire,
// the mean diameter, the coils, the material and the check options are the
// design's own.
struct TorsionRequest {
    bool torsion = false; // the design is a torsion spring
    std::optional<std::string> legLength1;
    std::optional<std::string> legLength2;
    std::array<std::optional<std::string>, 3> workingTorques; // N·mm
    std::array<std::optional<std::string>, 3> workingAngles;  // °
    bool knownTorques = false; // the working points are torques, not angles
    std::string loadDirection = "wind";
    std::optional<std::string> coilSpacing; // close-wound when not given
    std::optional<std::string> arborDiameter;

    bool operator==(const TorsionRequest &) const = default;
};
