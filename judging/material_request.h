#pragma once

#include "permissible_stress.h"

#include <optional>
#include <string>

// What the materials options ask of a design (filled by their own option
// group).
struct MaterialRequest {
    bool fromMaterial = false; // take G and the allowable stress from the material table
    // The duty the permissible stress is for, when the designer gives it; else
    // the load cycles decide (static without them).
    std::optional<LoadType> loadType;
    std::optional<std::string> materialsFile; // read over the built-in and the user's data

    bool operator==(const MaterialRequest &) const = default;
};
