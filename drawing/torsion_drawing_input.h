#pragma once

#include "check_result.h"
#include "drawing_input.h"
#include "torsion_permissible.h"
#include "torsion_spring.h"

#include <optional>
#include <string>

// What the working drawing of a calculated torsion spring shows: the inputs
// and results as the calculation left them, the checks when they were run,
// the material and the designer's details (title block, 旋向, grade).
struct TorsionDrawingInput {
    TorsionInputs inputs;
    TorsionSpring spring;
    LoadDirection direction = LoadDirection::Wind;
    std::optional<double> arborDiameter; // mm
    std::optional<CheckResults> checks;
    std::string material;
    std::string materialStandard; // when the grade is known
    std::string date;
    DrawingDetails details;
};

// The same input in the terms of the other kinds' title block and sheet
// parts: the material and the part's name (圆柱螺旋扭转弹簧 unless given).
DrawingInput TitleBlockInputOf(const TorsionDrawingInput &input);
