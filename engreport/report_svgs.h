#pragma once

#include "run_checks.h"
#include "spring_design.h"
#include "torsion_spring.h"

#include <string>

// The report's charts as inline SVG elements.
std::string LoadDeflectionSvg(const SpringDesign &design, SpringTypeSign typeSign);
std::string FatigueSvg(const FatigueDiagram &diagram);

// A torsion spring's torque over its angle: a straight line from the origin
// through the working points T1..T3 at φ1..φ3.
std::string TorqueAngleSvg(const TorsionSpring &spring);
