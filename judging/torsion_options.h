#pragma once

#include "request_options.h"

#include <optional>
#include <string>

// The options of the torsion spring: --torsion, the legs, the working
// torques or angles, the load direction, the coil spacing and the arbor.
const RequestOptionGroup &TorsionOptionGroup();

// The first option given that a torsion spring does not take (a height, a
// load, the shear modulus, ...) or, without --torsion, the first torsion
// option: why the request is refused, naming the option.
std::optional<std::string> MixedKindProblem(const DesignRequest &request);
