#pragma once

#include "material_entry.h"

#include <string>

// The heat treatment a spring of a grade gets after coiling, as the drawing's
// technical requirements and the engineering report state it, with where the
// treatment comes from. Figures (temperatures, hardness) stand here only where
// a standard or a maker's sheet gives them; where none was found the maker
// follows the wire supplier's instructions and the line says so.
struct HeatTreatment {
    std::string treatment; // "卷制后去应力回火, ..."; without the "热处理: " caption
    std::string source;    // the standard or delivery condition the treatment rests on
};

// The treatment of a known grade: by its family, a grade that is treated
// otherwise than its family (QBe2 aged, 07Cr17Ni7Al precipitation hardened)
// by its own row.
HeatTreatment HeatTreatmentFor(const MaterialEntry &entry);

// For a material the catalog does not know.
HeatTreatment UnknownMaterialHeatTreatment();
