// How long orsela-cli batch takes for a table of a million designs, from a
// CSV file to a CSV file, on every core.
#include "cli_run.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

constexpr int kDesigns = 1'000'000;

// Compression springs of 2 to 5 mm wire, index 5 to 10, 4 to 8 active coils,
// working heights at 0.9, 0.8 and 0.7 of the free height: nearly all
// complete, some with the stress warning, as a maker's catalogue would.
std::filesystem::path GeneratedTable() {
    const auto path = std::filesystem::temp_directory_path() /
                      ("orsela-batch-bench-" + std::to_string(::getpid()) + ".csv");
    std::ofstream out(path, std::ios::binary);
    out << "material,shear-modulus,allowable-shear-stress,wire-diameter,mean-diameter,"
           "active-coils,total-coils,free-height,working-height1,working-height2,"
           "working-height3\n";
    unsigned state = 12345;
    const auto next = [&state](unsigned range) {
        state = state * 1103515245U + 12345U;
        return (state >> 16) % range;
    };
    char line[256];
    for (int i = 0; i < kDesigns; ++i) {
        const double d = 2.0 + 0.5 * next(7);
        const double index = 5.0 + 0.1 * next(51);
        const double n = 4.0 + next(5);
        const double free = d * (n + 1.5) * 2.2;
        std::snprintf(line, sizeof line, "65Mn,79000,660,%.1f,%.1f,%.0f,%.1f,%.1f,%.1f,%.1f,%.1f\n",
                      d, d * index, n, n + 1.5, free, free * 0.9, free * 0.8, free * 0.7);
        out << line;
    }
    return path;
}

void BM_BatchMillionDesignsCsvToCsv(benchmark::State &state) {
    static const std::filesystem::path table = GeneratedTable();
    const auto output = std::filesystem::temp_directory_path() /
                        ("orsela-batch-bench-out-" + std::to_string(::getpid()) + ".csv");
    for (auto _ : state) {
        std::ostringstream out;
        std::ostringstream err;
        const int status =
            RunCli({"batch", table.string(), "--output=" + output.string()}, out, err);
        if (status != 0) {
            state.SkipWithError(err.str().c_str());
        }
    }
    state.counters["designs_per_s"] =
        benchmark::Counter(static_cast<double>(kDesigns) * static_cast<double>(state.iterations()),
                           benchmark::Counter::kIsRate);
    std::filesystem::remove(output);
    std::filesystem::remove(table);
}
BENCHMARK(BM_BatchMillionDesignsCsvToCsv)->Unit(benchmark::kSecond)->UseRealTime()->Iterations(3);

} // namespace
