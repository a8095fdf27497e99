#pragma once

#include "check_inputs.h"
#include "design_search.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace CLI {
class App;
}

enum class SearchFormat { Text, Tsv, Json };

// The options of `orsela-cli search` as typed, checked when the search is built.
struct SearchArguments {
    std::map<std::string, std::string> values; // option name without "--" -> text
    std::set<std::string> flags;               // the switches given
};

// Registers the search options on the subcommand; their help lines.
void AddSearchOptions(CLI::App &app, SearchArguments &arguments);
std::string SearchOptionsUsage();

// Everything the search and its printout need, read from the options and
// the materials data.
struct SearchSetup {
    SearchRequest request;
    std::vector<std::pair<float, CheckInputs>> checkInputs; // by wire diameter, ascending
    SearchFormat format = SearchFormat::Text;
    std::vector<std::string> notes; // for stderr: what came from the materials table
    bool allowableGiven = false;
};

// Builds the search from the options; on a usage error returns nothing and
// sets `error` to a Chinese message.
std::optional<SearchSetup> BuildSearch(const SearchArguments &arguments, std::string &error);

// The engineering checks of one candidate with the inputs of its wire diameter.
CandidateChecks ChecksFor(const SearchSetup &setup);
