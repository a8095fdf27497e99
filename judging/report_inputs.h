#pragma once

#include "design_request.h"
#include "drawing_input.h"
#include "engineering_report.h"
#include "judge_design.h"

#include <string>

// What the engineering report and the working drawing of a completed design
// show, assembled once for every front end: the design, its warnings, its
// checks with what they took and where it came from, the title block's fields.
EngineeringReportInput EngineeringReportInputFor(const DesignRequest &request,
                                                 const DesignOutcome &outcome,
                                                 const DrawingDetails &details,
                                                 const std::string &date);
DrawingInput DrawingInputFor(const DesignRequest &request, const DesignOutcome &outcome,
                             const DrawingDetails &details, const std::string &date);
