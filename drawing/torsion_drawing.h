#pragma once

#include "drawing_model.h"
#include "torsion_drawing_input.h"

#include <optional>
#include <string>

// The working drawing of a calculated torsion spring: the torque–angle
// characteristic above, the front view and the view along the axis side by
// side, the technical requirements, the title block and the frame; on A4
// when the views fit it at true size or larger, else on A3 when that gives a
// larger scale.
Drawing BuildTorsionDrawing(const TorsionDrawingInput &input);

// Why the drawing cannot be laid out or titled, in Chinese with the option
// that gave the text, or nothing.
std::optional<std::string> TorsionDrawingProblem(const TorsionDrawingInput &input);

// The drawing as a file's bytes: DXF (in the version its details ask for) or SVG.
std::string TorsionDrawingBytes(const TorsionDrawingInput &input, bool dxf);

// Writes it to path (.dxf or .svg, either case), replacing an existing file
// only once the new one is complete; else the Chinese message naming the
// file and the cause, the existing file left as it was.
std::optional<std::string> WriteTorsionDrawing(const std::string &path,
                                               const TorsionDrawingInput &input);
