#pragma once

#include "cli_exit.h"

#include <iosfwd>
#include <string>
#include <vector>

// Runs the command line: parses, judges the design (every field checked as
// the window does) and prints, or runs a subcommand. Returns the exit
// status. A subcommand that reads a table reads it from in when told "-".
int RunCli(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
           std::ostream &err);
int RunCli(const std::vector<std::string> &args, std::ostream &out, std::ostream &err);
