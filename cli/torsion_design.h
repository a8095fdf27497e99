#pragma once

#include "design_request.h"
#include "single_design.h"
#include "subcommand.h"

// A torsion spring (--torsion) judged and printed in the asked format, as a
// single design of the other kinds is. Returns the exit status; the design
// file is saved by the caller whatever the outcome.
int RunTorsionAndPrint(const DesignRequest &request, const SingleDesignOutput &output,
                       CliStreams &streams);
