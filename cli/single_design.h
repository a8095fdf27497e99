#pragma once

#include "design_request.h"
#include "drawing_input.h"
#include "outcome_format.h"
#include "subcommand.h"

#include <optional>
#include <string>

namespace CLI {
class App;
}

// The options only the single design has: the output format, the reports,
// the working drawing and the design file to save.
struct SingleDesignOutput {
    OutputFormat format = OutputFormat::Text;
    std::optional<std::string> reportPath;
    std::optional<std::string> htmlReportPath; // the engineering report
    std::optional<std::string> saveDesignPath; // the request as a design file
    std::optional<std::string> drawingPath;    // the working drawing, .dxf or .svg
    DrawingDetails drawing; // its title block and requirements (also the report's)
};
void AddSingleDesignOutputOptions(CLI::App &app, SingleDesignOutput &output);

// Judges the design, prints it in the asked format, writes the reports after
// a completed run and the design file whatever the outcome. Returns the exit
// status.
int RunSingleDesign(const DesignRequest &request, const SingleDesignOutput &output,
                    CliStreams &streams);
