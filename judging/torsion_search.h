#pragma once

#include "judge_torsion.h"
#include "miss_reason.h"
#include "search_setup.h"

#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// A torsion spring's search: the working torques at their angles, the
// envelope, and the candidates (wire series, D by the index range, n in
// quarters) each judged by the single design's call with its checks.

// This torque at this angle (N·mm, °).
struct TorsionPoint {
    double torque = 0.0;
    double angle = 0.0;
};

struct TorsionSearchRequest {
    std::optional<TorsionPoint> first;
    TorsionPoint second;
    // Every candidate's options besides d, D and n: --torsion, the torques,
    // the material and check options, the legs, the arbor, the direction.
    std::vector<std::string> fixedArguments;
    std::vector<double> wires;           // mm, ascending
    SearchRequest space;                 // index and coil ranges, tolerance, max OD, objective, top
    std::optional<double> maxBodyLength; // mm, at the largest angle
    SearchFormat format = SearchFormat::Text;
    std::vector<std::string> notes; // for stderr
};

// The rate the points ask for: T2/φ2 from one point, (T2 − T1)/(φ2 − φ1)
// from two, as loads at two heights give the compression spring's rate.
double RequiredAngularRate(const TorsionSearchRequest &request);

// Reads the options of `search --torsion`; on a usage error returns nothing
// and sets `error` to a Chinese message naming the option.
std::optional<TorsionSearchRequest> BuildTorsionSearch(const SearchArguments &arguments,
                                                       std::string &error);

struct TorsionCandidate {
    std::vector<std::string> arguments; // the reproducing command's, after "orsela-cli"
    TorsionOutcome outcome;
    double rateDeviationPercent = 0.0; // T' against the required rate
    double objective = 0.0;            // smaller is better
    // The rules it breaks (the rate, the envelope, each failed or unjudged
    // check), with how far: none for a listed design.
    std::vector<MissReason> misses;
    double missDistance = 0.0; // the sum of the misses' excesses
};

struct TorsionSearchOutcome {
    std::vector<TorsionCandidate> best; // qualified, best first, at most space.top
    // Only when none qualified: the calculated candidates with the smallest
    // sum of misses, nearest first, at most space.top.
    std::vector<TorsionCandidate> nearestMisses;
    std::size_t judged = 0; // candidates judged, both passes
    std::size_t qualified = 0;
    // Why candidates with the rate in tolerance were not qualified.
    std::size_t outsideEnvelope = 0;
    std::size_t failedChecks = 0;
    std::size_t notCompleted = 0;
};

struct TorsionSearchOptions {
    // Between (d, D) pairs, on the calling thread: pass 1 through the pairs
    // within the envelope, pass 2 (none qualified) through all of them.
    std::function<void(const SearchProgress &)> progress;
    bool prune = true; // false: every n of every pair judged (for tests)
};

TorsionSearchOutcome SearchTorsionSprings(const TorsionSearchRequest &request);
TorsionSearchOutcome SearchTorsionSprings(const TorsionSearchRequest &request,
                                          const TorsionSearchOptions &options);

// The single design's request a listed candidate's command stores: what its
// design file holds.
DesignRequest TorsionCandidateRequest(const TorsionCandidate &candidate);
