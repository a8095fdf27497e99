// How long the exhaustive search takes for the sample spring's own
// requirements (its loads at its heights) over the default candidate space.
#include "design_search.h"
#include "run_checks.h"

#include <benchmark/benchmark.h>

#include <algorithm>
#include <array>

namespace {

// A 65Mn-like wire for timing only, not data to design with: the bench's own
// Rm min by diameter, shaped like the published tables of cold-drawn spring
// wire, and a permissible shear stress of 0.4 Rm min.
struct RmRow {
    double d;
    double rmMin;
};
constexpr std::array<RmRow, 8> kRm = {{{0.5, 2200},
                                       {1.0, 2000},
                                       {2.0, 1800},
                                       {4.0, 1600},
                                       {6.0, 1500},
                                       {8.0, 1400},
                                       {10.0, 1350},
                                       {13.0, 1300}}};

double RmMinAt(double d) {
    const auto *upper = std::lower_bound(kRm.begin(), kRm.end(), d,
                                         [](const RmRow &r, double v) { return r.d < v; });
    if (upper == kRm.begin()) {
        return upper->rmMin;
    }
    const auto *lower = upper - 1;
    return lower->rmMin + (upper->rmMin - lower->rmMin) * (d - lower->d) / (upper->d - lower->d);
}

// The usual preferred wire sizes between the table's ends (the bench's list).
constexpr std::array<double, 19> kWires = {0.5, 0.6, 0.7, 0.8, 0.9, 1.0, 1.2, 1.6,  2.0, 2.5,
                                           3.0, 3.5, 4.0, 4.5, 5.0, 6.0, 8.0, 10.0, 12.0};

SearchRequest SampleRequirements(double shearModulus) {
    SearchRequest r;
    r.material = "65Mn";
    r.shearModulus = shearModulus;
    r.density = 7.85;
    r.first = {92.128, 40.0};
    r.second = {184.257, 36.0};
    r.third = WorkingPointRequirement{368.513, 28.0};
    for (double d : kWires) {
        r.wires.push_back({d, 0.4 * RmMinAt(d)});
    }
    return r; // the default space: index 4-16, n 2-50, n1 = n + 2, tolerance 2 %
}

// The engineering checks of every candidate, with the bench wire's data.
CheckResults BenchChecks(const SpringDesign &s, SpringTypeSign sign) {
    CheckInputs inputs;
    inputs.family = MaterialFamily::AlloySpringSteel;
    inputs.tensileStrength = RmMinAt(s.WireDiameter);
    inputs.standardPermissible = PermissibleShearStress{0.4 * *inputs.tensileStrength, 0.4, ""};
    inputs.elasticModulus = 206000.0;
    inputs.density = 7.85;
    return RunChecks(s, sign, inputs);
}

void Report(benchmark::State &state, const SearchOutcome &out) {
    state.counters["candidates"] = static_cast<double>(out.candidates);
    state.counters["calculated"] = static_cast<double>(out.calculated);
    state.counters["qualified"] = static_cast<double>(out.qualified);
    state.counters["threads"] = out.threads;
}

void BM_SearchSampleRequirements(benchmark::State &state) {
    const SearchRequest request = SampleRequirements(static_cast<double>(state.range(0)));
    SearchOptions options;
    if (state.range(1) != 0) {
        options.checks = BenchChecks;
    }
    SearchOutcome out;
    for (auto _ : state) {
        out = SearchDesigns(request, options);
        benchmark::DoNotOptimize(out.best.data());
    }
    Report(state, out);
}
BENCHMARK(BM_SearchSampleRequirements)
    ->ArgsProduct({{78500, 79000}, {0, 1}})
    ->ArgNames({"G", "checks"})
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();

// Nothing fits a 20 mm bore: the full second pass for the nearest misses.
void BM_SearchNothingQualifies(benchmark::State &state) {
    SearchRequest request = SampleRequirements(79000);
    request.limits.maxOuterDiameter = 20.0;
    SearchOutcome out;
    for (auto _ : state) {
        SearchOptions options;
        options.checks = BenchChecks;
        out = SearchDesigns(request, options);
        benchmark::DoNotOptimize(out.nearestMisses.data());
    }
    Report(state, out);
}
BENCHMARK(BM_SearchNothingQualifies)->Unit(benchmark::kMillisecond)->UseRealTime();

} // namespace
