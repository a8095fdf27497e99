#pragma once

#include <iosfwd>
#include <string>
#include <vector>

// Exit statuses of orsela-cli.
enum CliExit {
    kExitCompleted = 0,
    kExitStoppedByWarning = 1,
    kExitUsage = 2,
    kExitCalculationError = 3,
    kExitReportError = 4,
};

// Runs the command line: parses, checks every field as the window does,
// calculates and prints. Returns the exit status.
int RunCli(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);
