#pragma once

#include "request_options.h"

// The options of the design itself: the material, the fifteen numbers and
// the two switches of the window.
const RequestOptionGroup &DesignOptionGroup();

// The option name of a numeric field, parallel to kNumericFields.
const char *NumericOptionName(std::size_t field);
