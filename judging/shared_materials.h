#pragma once

#include "materials_files.h"

#include <optional>
#include <string>

// The materials a command works with: the built-in file beside the program,
// the user's own file over it, and the file of --materials-file over both.
// Each combination is read once per run of the program, so a design table
// does not read the files again for every row; safe from several threads.
const LoadedMaterials &SharedMaterials(const std::optional<std::string> &explicitFile);
