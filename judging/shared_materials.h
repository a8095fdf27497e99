#pragma once

#include "materials_files.h"

#include <optional>
#include <string>

// The materials a command works with: the built-in file beside the program,
// the user's own file over it, and the file of --materials-file over both.
// Each combination is read once per run of the program, so a design table
// does not read the files again for every row; safe from several threads.
const LoadedMaterials &SharedMaterials(const std::optional<std::string> &explicitFile);

// The page reads no files: its built-in data and the user's own grades come
// as texts, and from then on every judgement takes them (a materials file
// named in a request is then refused as a problem). A user text that cannot
// be read changes nothing and returns the message a materials file gets.
std::optional<std::string> UseMaterialsTexts(const std::string &builtIn,
                                             const std::string &userGrades);
