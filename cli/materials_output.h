#pragma once

#include "grade_lookup.h"
#include "material_catalog.h"
#include "material_texts.h"
#include "permissible_stress.h"

#include <optional>
#include <ostream>
#include <string>

// What `orsela-cli materials` prints: the list of grades, or one grade with,
// at a wire diameter, Rm and the permissible shear stresses.
enum class MaterialsFormat { Text, Tsv, Json };

// Without `all` the grades that lack G, E or rho are left out; the text
// listing names them with what they lack.
void PrintMaterialsList(const MaterialCatalog &catalog, MaterialsFormat format, bool all,
                        std::ostream &out);

// One grade; with a wire diameter also its Rm, the permissible stresses and
// whether the diameter is a standard one.
void PrintMaterial(const MaterialCatalog &catalog, const MaterialEntry &entry,
                   std::optional<double> wireDiameter, MaterialsFormat format, std::ostream &out);
