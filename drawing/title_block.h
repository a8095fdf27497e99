#pragma once

#include "drawing_input.h"
#include "drawing_model.h"

#include <optional>
#include <string>

// The title block after GB/T 10609.1 (clause 5, size and format): 180 mm x
// 56 mm in the frame's lower right corner, with its name and code area,
// signature area and other area; the division inside is this program's.
// Every text is at least 3.5 mm high (GB/T 14691, the smallest height for
// Chinese characters): a value too long for its cell at its own height is
// set smaller down to 3.5 mm and wrapped within the cell, and one that does
// not fit even so is refused before the drawing is made.

// Why a drawing is refused, and which option gave the value at fault.
struct DrawingRefusal {
    std::string option;  // "--title-block" or "--material"
    std::string message; // "标题栏 单位名称: 文字过长, 此格最多容纳 N 个字"
};
// A value that cannot stand in its cell.
std::optional<DrawingRefusal> TitleBlockProblem(const DrawingInput &input);

// The mass, the calculation's or else the checks', as the "重量" cell shows
// it; empty without a density.
std::string TitleBlockMass(const DrawingInput &input);

// The revision area (更改区, GB/T 10609.1) stands above the block's left part
// when the designer asks for it: its height, 0 when it is not asked for.
double RevisionAreaHeight(const DrawingDetails &details);

void AddTitleBlock(Drawing &drawing, const DrawingInput &input);
