#pragma once

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

// The usage error for a grade that is not in the data, naming the closest ones.
std::string UnknownGradeMessage(const MaterialCatalog &catalog, const std::string &grade);

// G and [tau] of a grade for one design; `problem` says in Chinese why not.
struct MaterialInputs {
    double shearModulus = 0.0;
    std::optional<PermissibleShearStress> permissible;
    std::optional<double> rmMin;
    std::string problem;
};
MaterialInputs InputsFromMaterial(const MaterialEntry &entry, SpringKind kind, LoadType load,
                                  double wireDiameter);

// "12.5" for 12.5, "79000" for 79000: the shortest text that reads back.
std::string MaterialNumber(double value);
