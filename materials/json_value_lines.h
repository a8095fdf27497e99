#pragma once

#include <nlohmann/json.hpp>

#include <cstddef>
#include <string_view>
#include <unordered_map>

// The line (from 1) on which each value of a parsed document begins, keyed
// by the value's node in root, so that a problem found in the document can
// name its line. text is the document root was parsed from.
std::unordered_map<const nlohmann::json *, std::size_t> JsonValueLines(std::string_view text,
                                                                       const nlohmann::json &root);
