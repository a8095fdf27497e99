#pragma once

#include "subcommand.h"

#include <string>

// A usage error: the message and where the usage is on stderr ("用法见
// orsela-cli <command> --help"; command empty for the single design), and
// with json also {"status": "refused", "message": ...} on stdout, so that
// --format=json prints its one object whatever the outcome. Returns the
// usage error's exit status.
int RefuseUsage(CliStreams &streams, const std::string &message, const std::string &command,
                bool json);
