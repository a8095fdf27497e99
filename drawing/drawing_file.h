#pragma once

#include "drawing_input.h"

#include <optional>
#include <string>

// The drawing of input as a file's bytes: DXF (in the version its details
// ask for) or SVG.
std::string SpringDrawingBytes(const DrawingInput &input, bool dxf);

// Whether path names a drawing file: it ends in ".dxf" or ".svg" (either case).
bool IsDrawingFileName(const std::string &path);

// Writes the drawing of input to path, as DXF when the name ends in ".dxf"
// and as SVG when it ends in ".svg" (either case), replacing an existing
// file only once the new one is complete. Returns nothing on success, else
// the Chinese message naming the file and the cause; an existing file is
// then left as it was.
std::optional<std::string> WriteSpringDrawing(const std::string &path, const DrawingInput &input);
