#pragma once

#include "material_catalog.h"

#include <filesystem>
#include <optional>
#include <string>
#include <vector>

// Where the program finds its materials data: the built-in file beside the
// program (<program folder>/../share/orsela/materials.json, which fits both a
// build tree and an installed bin/), and the user's own file.

// The running program's own file; nothing where the platform does not say.
std::optional<std::filesystem::path> CurrentProgramPath();

// The built-in file for a program at `program`; without one, the installed
// data folder.
std::filesystem::path BuiltInMaterialsPath(const std::optional<std::filesystem::path> &program);

// $XDG_DATA_HOME/orsela/materials.json, else on Windows
// %APPDATA%\orsela\materials.json, else ~/.local/share/orsela/materials.json;
// nothing without a home folder.
std::optional<std::filesystem::path> UserMaterialsPath();

// Every figure of a user's file marked as the user's, whatever the file says.
void MarkAsUserFile(MaterialCatalog &catalog);

// The built-in data, then the user's file over it, then an explicit file over
// both. A file that cannot be read or is broken is skipped and its message
// kept in `problems`; what could be read still counts. A missing user file at
// the default place is no problem; a missing explicit file is.
struct LoadedMaterials {
    MaterialCatalog catalog;
    std::vector<std::string> problems;
};
LoadedMaterials LoadMaterials(const std::filesystem::path &builtIn,
                              const std::optional<std::filesystem::path> &userFile,
                              const std::optional<std::filesystem::path> &explicitFile);
