#pragma once

#include "drawing_input.h"
#include "drawing_model.h"

#include <string>
#include <string_view>

// The drawing as a DXF file: the tables (line types, the layers, the text
// styles, the dimension style), the dimensions with their picture blocks,
// the entities of model space and the objects a CAD program expects (the
// layouts and the plot style dictionary). The text is UTF-8 either way; an
// R2000 file declares the code page ANSI_936 and is to be written through
// DxfCodePage936 before it is saved.
std::string DrawingDxf(const Drawing &drawing, DxfVersion version = DxfVersion::R2007);

// UTF-8 DXF text in code page 936 (GBK), as an AutoCAD 2000 file holds
// Chinese; a character GBK has no code for is written as AutoCAD writes it,
// "\U+XXXX" (beyond the BMP: its two UTF-16 halves, each so), and a byte
// that is not UTF-8 as "?", never taking the line break after it.
std::string DxfCodePage936(std::string_view utf8);

// A text as a DXF TEXT holds it: "%" written "%%%", the diameter sign as
// "%%c", line breaks and other control characters and the non-characters
// U+FFFE and U+FFFF dropped, a byte that is not UTF-8 shown as U+FFFD.
std::string DxfText(const std::string &text);
