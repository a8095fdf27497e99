#pragma once

#include "drawing_model.h"

#include <initializer_list>
#include <string>
#include <string_view>

// The whole sheet as a standalone SVG file, sized in millimetres, black on
// white with the line widths of the layers.
std::string DrawingSvg(const Drawing &drawing);

// Some parts of the sheet (the report shows the view alone) as an inline
// <svg> element cut to their extent; label names the picture for readers.
std::string DrawingPartsSvg(const Drawing &drawing, std::initializer_list<Part> parts,
                            std::string_view label);
