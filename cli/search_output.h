#pragma once

#include "design_search.h"
#include "search_setup.h"
#include "shell_command_line.h"

#include <iosfwd>
#include <string>
#include <vector>

// The single design's command line that gives the same design, as one line
// to paste into a shell ("orsela-cli ...").
std::string ReproducingCommandLine(const EvaluatedDesign &design, const SearchRequest &request);

// The answer in the chosen format. Text and JSON carry the summary; tsv
// prints one row per design and leaves the summary to WriteSearchSummary.
void WriteSearchOutcome(const SearchOutcome &outcome, const SearchRequest &request,
                        SearchFormat format, std::ostream &out);
// "候选 N 个, 计算 M 个, 合格 Q 个, 用时 T s (K 线程)"
std::string SearchSummary(const SearchOutcome &outcome);
