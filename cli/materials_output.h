#pragma once

#include "grade_lookup.h"
#include "material_catalog.h"
#include "permissible_stress.h"

#include <optional>
#include <ostream>
#include <string>

// What `orsela-cli materials` prints: the list of grades, or one grade with,
// at a wire diameter, Rm and the permissible shear stresses.
enum class MaterialsFormat { Text, Tsv, Json };

void PrintMaterialsList(const MaterialCatalog &catalog, MaterialsFormat format, std::ostream &out);

// One grade; with a wire diameter also its Rm, the permissible stresses and
// whether the diameter is a standard one.
void PrintMaterial(const MaterialCatalog &catalog, const MaterialEntry &entry,
                   std::optional<double> wireDiameter, MaterialsFormat format, std::ostream &out);

// "12.5" for 12.5, "79000" for 79000: the shortest text that reads back.
std::string MaterialNumber(double value);

// "静负荷", "动负荷有限寿命" or "动负荷无限寿命".
const char *LoadCaption(LoadType load);
