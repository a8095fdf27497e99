#pragma once

#include "design_request.h"
#include "drawing_input.h"
#include "judge_torsion.h"
#include "torsion_drawing_input.h"
#include "torsion_report.h"

#include <string>

// What the engineering report and the working drawing of a completed torsion
// spring show, assembled once for every front end.
TorsionDrawingInput TorsionDrawingInputFor(const DesignRequest &request,
                                           const TorsionOutcome &outcome,
                                           const DrawingDetails &details, const std::string &date);
TorsionReportInput TorsionReportInputFor(const DesignRequest &request,
                                         const TorsionOutcome &outcome,
                                         const DrawingDetails &details, const std::string &date);
