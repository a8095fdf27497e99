#pragma once

#include "search_setup.h"

#include <string>

namespace CLI {
class App;
}

// Registers the search options on the subcommand; their help lines.
void AddSearchOptions(CLI::App &app, SearchArguments &arguments);
std::string SearchOptionsUsage();
