#pragma once

#include "candidate_evaluator.h"
#include "search_request.h"

#include <cstdint>
#include <stdexcept>
#include <vector>

struct SearchOutcome {
    std::vector<EvaluatedDesign> best;          // qualified, best first, at most top
    std::vector<EvaluatedDesign> nearestMisses; // only when none qualified, nearest first
    std::uint64_t candidates = 0;               // in the whole space
    std::uint64_t calculated = 0;               // runs of the calculation, both passes
    std::uint64_t qualified = 0;
    double seconds = 0.0;
    unsigned threads = 0;
};

// Goes through every candidate of the request and ranks the ones that
// qualify: by the objective, then by smaller d, D and n. The result does not
// depend on the number of threads. Throws std::invalid_argument with the
// request's problem (SearchRequestProblem) when it cannot run.
SearchOutcome SearchDesigns(const SearchRequest &request, const SearchOptions &options);
