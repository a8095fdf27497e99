#pragma once

#include "run_checks.h"
#include "spring_design.h"

#include <string>

// The report's three pictures as inline SVG elements.
std::string LoadDeflectionSvg(const SpringDesign &design, SpringTypeSign typeSign);
std::string FatigueSvg(const FatigueDiagram &diagram);
std::string SpringSketchSvg(const SpringDesign &design, SpringTypeSign typeSign);
