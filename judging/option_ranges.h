#pragma once

#include <optional>
#include <string>
#include <string_view>

// The physical range of a number an option gives (a check input, a search
// requirement): wider than any real spring needs, narrow enough that no
// product of the calculation or a check overflows or vanishes.
struct OptionRange {
    const char *name; // the option without "--"
    double lowest;    // excluded, except where lowestIncluded
    double highest;   // included
    const char *unit; // as printed after the range; "" for a count
    bool lowestIncluded = false;
};

// The range of an option; nullptr when it has none of its own.
const OptionRange *FindOptionRange(std::string_view name);

// "--density: 请输入大于 0.5 且不大于 25 的数值 (kg/dm³)".
std::string OutOfRangeMessage(const OptionRange &range);

// Reads an option's text as a number in its range ("." as the point, no
// blanks); a refusal names the option and the range.
std::optional<double> RangedNumber(const OptionRange &range, std::string_view text,
                                   std::string &error);
