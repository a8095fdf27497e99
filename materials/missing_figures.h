#pragma once

#include "material_entry.h"

#include <functional>
#include <string>
#include <string_view>
#include <vector>

// The figures a design, its checks and the search take from a grade (G, E
// and rho) that an entry does not have. Such a grade cannot be used without
// the designer's input, so the default listings leave it out and every place
// that needs it by name says what is missing and which option gives it.

struct MissingFigure {
    const char *caption; // "密度 ρ"
    const char *option;  // "--density"
};
std::vector<MissingFigure> MissingFigures(const MaterialEntry &entry);

// Whether the grade is shown in the default listings: nothing missing.
bool ListedByDefault(const MaterialEntry &entry);

// "材料 07Cr17Ni7Al 的数据没有密度 ρ (请用 --density 给出)"; "" when nothing is missing.
std::string MissingFiguresText(const MaterialEntry &entry);

// The same for the figures the designer did not give: `given` says whether
// an option ("--density") was given. "" when each missing figure is given.
std::string MissingFiguresText(const MaterialEntry &entry,
                               const std::function<bool(std::string_view option)> &given);
