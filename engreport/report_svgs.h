#pragma once

#include "run_checks.h"
#include "spring_design.h"

#include <string>

// The report's charts as inline SVG elements.
std::string LoadDeflectionSvg(const SpringDesign &design, SpringTypeSign typeSign);
std::string FatigueSvg(const FatigueDiagram &diagram);
