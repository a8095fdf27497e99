#pragma once

#include "check_result.h"
#include "spring_design.h"

#include <array>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <vector>

// What a designer asks of the search: the working points, the material, the
// space the spring must fit, and the candidate space to go through.

// This load at this height.
struct WorkingPointRequirement {
    double load = 0.0;   // N
    double height = 0.0; // mm
};

// A wire diameter the search may use, with the allowable shear stress the
// material gives at that diameter.
struct WireChoice {
    double diameter = 0.0;             // mm
    double allowableShearStress = 0.0; // MPa
    double shearModulus = 0.0;         // G at this diameter, MPa; 0: the request's G
};

enum class SearchObjective { Mass, SolidHeight, OuterDiameter, Stress };

// The space the spring must fit; an absent limit does not apply.
struct SpaceLimits {
    std::optional<double> maxOuterDiameter; // D + d, mm
    std::optional<double> minInnerDiameter; // D - d, mm
    std::optional<double> maxFreeHeight;    // H0, mm
    std::optional<double> maxSolidHeight;   // Hb, mm (compression spring)
};

struct SearchRequest {
    SpringTypeSign typeSign = kCompressionSpring;
    WorkingPointRequirement first;
    WorkingPointRequirement second;
    std::optional<WorkingPointRequirement> third; // the largest load; the second when absent
    std::string material;
    double shearModulus = 0.0;     // G, MPa
    std::vector<WireChoice> wires; // the wire diameters d
    std::optional<double> density; // kg/dm3; the mass needs it
    double tolerancePercent = 2.0; // each required load met within this share (above it)
    std::optional<double> toleranceBelowPercent; // below it; absent: the same as above
    double maxStressRatio = 1.0;                 // tau at F3 within this share of [tau], 0 < R <= 1
    SpaceLimits limits;
    double minIndex = 4.0; // D/d
    double maxIndex = 16.0;
    // n, in steps of 0.25. Fewer than 3 active coils give an inaccurate rate
    // and fewer than 2 fail outright: 3 unless the designer asks for fewer.
    double minActiveCoils = 3.0;
    double maxActiveCoils = 50.0;
    double endCoils = 2.0;       // compression spring: n1 = n + endCoils
    std::optional<double> pitch; // extension spring: t; close-wound (t = d) when absent
    SearchObjective objective = SearchObjective::Mass;
    std::size_t top = 10; // how many designs (or nearest misses) to keep
    // The options the candidates' checks were judged with, as a single
    // design's command line gives them; the reproducing command ends with them.
    std::vector<std::string> judgementArguments;
};

// G of a wire: its own where the material gives G by diameter, else the request's.
double ShearModulusOf(const SearchRequest &request, const WireChoice &wire);

// The share a load may lie below its requirement, percent.
double ToleranceBelowPercent(const SearchRequest &request);

// The three working points of every candidate, the largest load last.
std::array<WorkingPointRequirement, 3> RequiredPoints(const SearchRequest &request);

// The load the strength is judged at: the largest F3 the tolerance lets a
// spring of the list deliver, never below the required F3 (N).
double StrengthLoad(const SearchRequest &request);

// The fewest active coils a search may go down to.
constexpr double kFewestActiveCoils = 2.0;

// The first thing wrong with a request, in Chinese; nothing when it can run.
std::optional<std::string> SearchRequestProblem(const SearchRequest &request);

// The engineering checks of one completed candidate. Called from several
// threads at once, so it must not change shared state.
using CandidateChecks = std::function<CheckResults(const SpringDesign &, SpringTypeSign)>;

// Where the search stands: pass 1 goes through the candidates that can
// qualify; pass 2, only when none did, through all of them for the nearest
// misses. done and total count (wire diameter, mean diameter) pairs.
struct SearchProgress {
    int pass = 1;
    std::size_t done = 0;
    std::size_t total = 0;
};

struct SearchOptions {
    CandidateChecks checks; // empty: no engineering checks
    unsigned threads = 0;   // 0: one per core
    bool prune = true;      // false: every candidate through the calculation
    std::function<void(const SearchProgress &)> progress; // on the calling thread
    // Everything on the calling thread, the progress between chunks: for a
    // platform without threads (the page's WebAssembly).
    bool onCallingThread = false;
};
