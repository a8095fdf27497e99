#pragma once

#include "subcommand.h"

namespace CLI {
class App;
}

// `orsela-cli search`: requirements in, ranked designs out.
Subcommand MakeSearchSubcommand(CLI::App &app);
