#pragma once

#include "check_inputs.h"
#include "check_result.h"
#include "spring_design.h"

#include <optional>
#include <vector>

// The engineering checks of a completed calculation, in a fixed order per
// spring type. Reads the design as the run left it; changes nothing.
CheckResults RunChecks(const SpringDesign &design, SpringTypeSign typeSign,
                       const CheckInputs &inputs);

// The fatigue diagram of the method used: the working stress range and the
// permissible limit line, for drawing. Nothing when the fatigue check does
// not apply (no load cycles, or data missing).
struct FatigueDiagramPoint {
    double tauMin = 0.0; // MPa, horizontal axis
    double tauMax = 0.0; // MPa, vertical axis
};
struct FatigueDiagram {
    FatigueDiagramPoint working;                // (tau at F1, tau at F3)
    std::vector<FatigueDiagramPoint> limitLine; // the permissible tauMax over tauMin, ascending
    double tensileStrength = 0.0;               // Rm min, MPa, for the axes
    std::string method;                         // the method and clause, Chinese
};
std::optional<FatigueDiagram> FatigueDiagramFor(const SpringDesign &design, SpringTypeSign typeSign,
                                                const CheckInputs &inputs);
