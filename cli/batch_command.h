#pragma once

#include "subcommand.h"

// orsela-cli batch [FILE|-]: a design table in, one judged row out per row.
Subcommand AddBatchCommand(CLI::App &app);
