#pragma once

#include "miss_reason.h"
#include "search_request.h"

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

// One candidate after its run: the design as the calculation left it, the
// checks, and either qualified or the rules it broke.
struct EvaluatedDesign {
    SpringDesign design;
    bool qualified = false;
    std::optional<double> mass; // g; with the density
    double metric = 0.0;        // what the ranking minimises
    CheckResults checks;        // empty when the run did not complete, or not run
    std::vector<MissReason> misses;
    double missDistance = 0.0;   // the sum of the misses' excesses
    bool stressComputed = false; // false: the run stopped before the stress at F3 was known
    bool completed = false;      // the run went to the end, as the single design's does
    // Ranked after the designs without it: an extension spring whose initial
    // stress the checks call too high (hard to coil).
    bool rankedLater = false;
};

// Whether the checks call an extension spring's initial stress too high.
bool InitialStressTooHigh(const CheckResults &checks);

// The outer and inner diameter limits; they depend on d and D alone.
bool DiametersFit(const SpaceLimits &limits, float wireDiameter, float meanDiameter);

// Builds and judges candidates of one request; one per thread (it reuses its
// design record).
class CandidateEvaluator {
  public:
    // request: validated, wires sorted. checks may be empty.
    CandidateEvaluator(const SearchRequest &request, const CandidateChecks &checks);

    // A failing candidate whose misses already sum above checkBudget skips its
    // checks: they could only add to the sum.
    const EvaluatedDesign &Evaluate(std::size_t wire, std::int64_t tenths, std::int64_t quarters,
                                    double checkBudget);

    // After Evaluate: every candidate of the same d and D with more active
    // coils breaks a rule too (its free or solid height only grows with n).
    bool laterCoilsFail() const { return laterCoilsFail_; }

    const std::array<float, 3> &heights() const { return heights_; }

  private:
    bool Run();
    void JudgeWarnings(const CalculationOutcome &outcome);
    void JudgeLoads();
    void JudgeSpace(bool solidHeightKnown);
    void RunChecks(double checkBudget);
    void AddMiss(MissReason reason);
    void Rank();
    void StressOfStoppedRun();
    void JudgeStress();

    const SearchRequest &request_;
    const CandidateChecks &checks_;
    std::array<WorkingPointRequirement, 3> points_;
    std::array<float, 3> heights_{};
    double largestLoad_ = 0.0;
    double strengthLoad_ = 0.0;
    EvaluatedDesign current_;
    bool laterCoilsFail_ = false;
};
