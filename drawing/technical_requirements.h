#pragma once

#include "drawing_input.h"

#include <optional>
#include <string>
#include <vector>

// The technical requirements (技术要求) a spring drawing carries, one
// plain-text line per item: winding, coils, heights and loads, sizes, the
// precision grade the tolerances follow, heat and surface treatment, the
// material and the technical conditions. Tolerances are named by the grade
// of the standard they follow, never as figures. The design standards named
// are those the checks followed.
std::vector<std::string> TechnicalRequirements(const DrawingInput &input);

// The material's line: "材料: 65Mn (GB/T 1222)。".
std::string MaterialRequirement(const std::string &material, const std::string &standard);

// The failed or unjudged checks' line, when there is one: a design its own
// checks do not pass is no design to make, and the sheet says so.
void AddFailedChecksRequirement(std::vector<std::string> &lines,
                                const std::optional<CheckResults> &checks);
