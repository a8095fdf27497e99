#pragma once

#include "calculate_spring.h"
#include "calculation_error.h"
#include "check_result.h"

#include <optional>
#include <string>

// Why a candidate did not qualify: one entry per rule it broke.
enum class MissKind {
    Warning,                // the run raised a design warning (warning says which)
    CalculationFault,       // the run ended by a floating-point fault
    NegativeInitialTension, // extension spring: the loads need F0 < 0
    LoadOutsideTolerance,   // point: 1, 2 or 3
    OuterDiameter,
    InnerDiameter,
    FreeHeight,
    SolidHeight,
    CheckFailed, // checkId and checkMessage say which
    // Torsion spring: the angular rate T' outside the tolerance of the one
    // asked for (value, limit in N·mm/°), the body length at the largest
    // angle above its limit.
    RateOutsideTolerance,
    BodyLength,
};

struct MissReason {
    MissKind kind = MissKind::Warning;
    std::optional<DesignWarning> warning;
    std::optional<CalculationErrorKind> fault;
    int point = 0;
    double value = 0.0;          // what the candidate has
    double limit = 0.0;          // what it is held against
    double tolerance = 0.0;      // percent above the required load
    double toleranceBelow = 0.0; // percent below it
    double load = 0.0;           // N: the load a stress was judged at, when not the spring's own F3
    std::string checkId;
    std::string checkMessage; // or, for a fault, the quantity and cause
    // How far beyond the rule, as a share of the limit; the nearest misses
    // are the candidates with the smallest sum.
    double excess = 0.0;
};

// One line of Chinese for the designer.
std::string MissReasonText(const MissReason &reason);

// A check that failed (or could not be judged) counts by how far its value
// lies from its limit, as a share of the limit; a whole rule without them.
double CheckMissExcess(const CheckResult &check);
