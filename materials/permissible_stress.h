#pragma once

#include "material_entry.h"

#include <optional>
#include <string>

// Permissible shear stress from the minimum tensile strength, as a share of
// Rm by material family, spring kind and duty.

enum class SpringKind { Compression, Extension };

enum class LoadType {
    Static,           // static or rarely changing load
    DynamicLimited,   // cyclic load, limited life
    DynamicUnlimited, // cyclic load, unlimited life
};

struct PermissibleShearStress {
    double value = 0.0;    // MPa
    double fraction = 0.0; // of Rm min
    std::string clause;    // the standard and clause or table the fraction comes from
};

// GB/T 23935 permissible shear stress; nothing where the standard gives no
// share for that family and duty.
std::optional<PermissibleShearStress>
PermissibleShearStressFor(MaterialFamily family, SpringKind kind, LoadType load, double rmMin);

// EN 13906-1 static permissible shear stress of a compression spring.
std::optional<PermissibleShearStress> EnStaticPermissibleShearStress(MaterialFamily family,
                                                                     double rmMin);

// "static", "dynamic-limited", "dynamic-unlimited": the words of the command
// line, tsv and JSON.
const char *LoadTypeName(LoadType load);
std::optional<LoadType> LoadTypeFromName(const std::string &name);

// The permissible shear stress of one grade at a wire diameter: the grade's
// own figures in MPa where its source gives them, otherwise the family's
// share of Rm min at that diameter. Without a value, `problem` says why in
// Chinese (no table, diameter outside the table, no share for the family).
struct GradePermissible {
    std::optional<PermissibleShearStress> stress;
    std::optional<double> rmMin; // Rm min at the diameter, where the table gives it
    std::string problem;
};
GradePermissible PermissibleShearStressOf(const MaterialEntry &entry, SpringKind kind,
                                          LoadType load, double wireDiameter);
