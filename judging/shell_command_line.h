#pragma once

#include <string>
#include <vector>

// "orsela-cli" and the arguments, each quoted for a shell where it needs it:
// the line a listing shows, to paste into a shell and get the design again.
std::string CommandLineOf(const std::vector<std::string> &arguments);
