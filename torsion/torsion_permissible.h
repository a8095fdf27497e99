#pragma once

#include "material_entry.h"
#include "permissible_stress.h"

#include <string>

// Which way the load turns the legs: winding the coils up (the usual case)
// or opening them, which carries less.
enum class LoadDirection { Wind, Unwind };

// The permissible bending stress of a torsion spring as a share of Rm min:
// the lowest of the sources that give one for the family and duty, with the
// sources named and which one governs.
struct BendingShare {
    double share = 0.0; // of Rm min
    std::string clause; // the sources, the one that governs, the reduction
};
BendingShare PermissibleBendingShare(MaterialFamily family, LoadType load, LoadDirection direction);
