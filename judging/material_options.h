#pragma once

#include "request_options.h"

// The options that take a design's figures from the material table:
// --from-material, --load-type, --materials-file.
const RequestOptionGroup &MaterialOptionGroup();
