#pragma once

#include "check_inputs.h"
#include "check_result.h"
#include "drawing_input.h"
#include "run_checks.h"
#include "spring_design.h"

#include <optional>
#include <string>
#include <vector>

// What the engineering report shows: a completed design as the calculation
// left it, with its warnings and, when they were run, its checks and the
// fatigue diagram.
struct EngineeringReportInput {
    SpringDesign design;
    SpringTypeSign typeSign = kCompressionSpring;
    std::string date;                  // "yyyy年mm月dd日"
    std::string programVersion;        // "1.0.0"
    std::vector<std::string> warnings; // their texts, lines joined by CR LF or "\n"
    std::optional<CheckResults> checks;
    std::optional<FatigueDiagram> fatigue;
    // What the checks took (load cycles, frequency, end condition, load type,
    // Rm and the permissible stress) and where it came from, one Chinese line each.
    std::optional<CheckInputs> checkInputs;
    std::vector<std::string> checkSources;
    // Where the material table's figures come from, web addresses included;
    // the report lists them among its references.
    std::string materialDataSource;
    // The title block's fields and the drawing's requirements, as on the drawing.
    DrawingDetails drawingDetails;
    std::string materialStandard;
};

// The program's version as the build states it.
const char *EngineeringReportProgramVersion();

// The report as one self-contained UTF-8 HTML5 page, in Chinese, laid out for
// A4 portrait: inline CSS and SVG, no script, nothing fetched. The markup is
// also well-formed XML.
std::string BuildEngineeringReport(const EngineeringReportInput &input);

// Writes the report to path, replacing an existing file only once the new one
// is complete. Returns nothing on success, else the Chinese message naming
// the file and the cause; an existing file is then left as it was.
std::optional<std::string> WriteEngineeringReport(const std::string &path,
                                                  const EngineeringReportInput &input);
