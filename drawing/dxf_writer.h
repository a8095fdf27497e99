#pragma once

#include "drawing_model.h"

#include <string>

// The drawing as a DXF file of AutoCAD 2007 (AC1021), whose texts are UTF-8
// so that Chinese survives in every reader: the tables (line types, the
// layers, the text styles, the dimension style), the dimensions with their
// picture blocks, the entities of model space and the objects a CAD program
// expects (the layouts and the plot style dictionary).
std::string DrawingDxf(const Drawing &drawing);

// A text as a DXF TEXT holds it: "%" written "%%%", the diameter sign as
// "%%c", line breaks and other control characters dropped.
std::string DxfText(const std::string &text);
