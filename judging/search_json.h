#pragma once

#include "design_search.h"

#include <nlohmann/json.hpp>

#include <string>
#include <vector>

// The single-design options that give the same design, without the program
// name: one argument per element ("--name=value").
std::vector<std::string> ReproducingArguments(const EvaluatedDesign &design,
                                              const SearchRequest &request);

// The whole answer of a search as one object: the counts, the designs that
// qualify and the nearest misses, each with its checks, reasons and command.
nlohmann::ordered_json SearchOutcomeJson(const SearchOutcome &outcome,
                                         const SearchRequest &request);
