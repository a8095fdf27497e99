#pragma once

// What the materials options ask of a design (filled by their own option
// group).
struct MaterialRequest {
    bool fromMaterial = false; // take G and the allowable stress from the material table
};
