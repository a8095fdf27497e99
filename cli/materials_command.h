#pragma once

#include "subcommand.h"

namespace CLI {
class App;
}

// `orsela-cli materials [NAME [--wire-diameter=D]]`: the known grades, or
// one grade with its Rm and permissible stresses at a wire diameter.
Subcommand MakeMaterialsSubcommand(CLI::App &app);
