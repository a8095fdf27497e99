#pragma once

#include "drawing_input.h"
#include "drawing_model.h"
#include "title_block.h"

#include <optional>
#include <string>

// The working drawing of a completed design: the view in section, the
// characteristic line above it, the technical requirements, the title block
// and the frame, on an A4 sheet when the spring fits it at true size or
// larger, else on A3 when that gives a larger scale.
Drawing BuildSpringDrawing(const DrawingInput &input);

// Why the drawing of input cannot be laid out, in Chinese, or nothing: the
// technical requirements (a long material, wrapped) leave the view too
// little of the sheet. Texts never run off the sheet; such a drawing is
// refused instead.
std::optional<std::string> DrawingRoomProblem(const DrawingInput &input);

// Every reason the drawing of input is refused, checked before anything is
// written, whoever asks: the room for the requirements, then the title block.
std::optional<DrawingRefusal> SpringDrawingProblem(const DrawingInput &input);
