#pragma once

#include "drawing_input.h"
#include "drawing_model.h"

// The working drawing of a completed design: the view in section, the
// characteristic line above it, the technical requirements, the title block
// and the frame, on an A4 sheet when the spring fits it at true size or
// larger, else on A3 when that gives a larger scale.
Drawing BuildSpringDrawing(const DrawingInput &input);
