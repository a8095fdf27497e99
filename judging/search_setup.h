#pragma once

#include "design_request.h"
#include "design_search.h"
#include "material_entry.h"

#include <map>
#include <optional>
#include <set>
#include <string>
#include <vector>

enum class SearchFormat { Text, Tsv, Json };

// The options of a search as typed (on the command line, without "--"),
// checked when the search is built.
struct SearchArguments {
    std::map<std::string, std::string> values; // option name without "--" -> text
    std::set<std::string> flags;               // the switches given
};

// Every option a search reads, in the order of the help text.
struct SearchOptionSpec {
    const char *name;
    const char *valueName; // empty for a switch
    const char *help;
};
const std::vector<SearchOptionSpec> &SearchOptionSpecs();

// Everything the search and its printout need, read from the options and
// the materials data.
struct SearchSetup {
    SearchRequest request;
    // The check and material options of the reproducing command: each
    // candidate is judged with them, by the single design's call.
    DesignRequest judged;
    const MaterialEntry *entry = nullptr; // the grade, from the shared materials
    SearchFormat format = SearchFormat::Text;
    std::vector<std::string> notes; // for stderr: what came from the materials table
    bool allowableGiven = false;
};

// Builds the search from the options; on a usage error returns nothing and
// sets `error` to a Chinese message.
std::optional<SearchSetup> BuildSearch(const SearchArguments &arguments, std::string &error);

// The space, tolerance, candidate ranges, objective and number of designs
// (--max-outer-diameter ... --top) into r; the first problem goes to in.
class OptionReader;
void ReadSearchSpace(OptionReader &in, SearchRequest &r);

// --format: text (the default), tsv or json; another is a problem for in.
SearchFormat ReadSearchFormat(OptionReader &in);

// The engineering checks of one candidate with the inputs of its wire diameter.
CandidateChecks ChecksFor(const SearchSetup &setup);
