#pragma once

#include "torsion_drawing_input.h"

#include <string>
#include <vector>

// The technical requirements of a torsion spring's drawing, one plain-text
// line per item: winding and the load's direction (which way the legs are
// turned matters for what the spring carries), coils and legs, spacing, the
// working points, sizes, tolerances by grade, heat and surface treatment,
// the material and the technical conditions, and a failed check.
std::vector<std::string> TorsionRequirements(const TorsionDrawingInput &input);
