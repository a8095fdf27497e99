#pragma once

#include "permissible_stress.h"

#include <optional>
#include <string>

// What the materials options ask of a design (filled by their own option
// group).
struct MaterialRequest {
    bool fromMaterial = false;            // take G and the allowable stress from the material table
    LoadType loadType = LoadType::Static; // the duty the permissible stress is for
    std::optional<std::string> materialsFile; // read over the built-in and the user's data

    bool operator==(const MaterialRequest &) const = default;
};
