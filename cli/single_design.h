#pragma once

#include "design_request.h"
#include "subcommand.h"

namespace CLI {
class App;
}

// The options only the single design has: the output format and the report.
void AddSingleDesignOutputOptions(CLI::App &app, DesignRequest &request);

// Judges the design, prints it in the asked format, writes the report after
// a completed run. Returns the exit status.
int RunSingleDesign(const DesignRequest &request, CliStreams &streams);
