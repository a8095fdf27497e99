// How long one Calculate takes in the core, without the window.
#include "calculate_spring.h"
#include "design_fixtures.h"
#include "number_format.h"

#include <benchmark/benchmark.h>

namespace {

class SilentListener : public CalculationListener {
  public:
    void warning(DesignWarning, const std::string &) override {}
    void totalCoilsReplaced(float) override {}
};

void BM_CalculateCompressionSample(benchmark::State &state) {
    SilentListener listener;
    const SpringDesign input = SampleDesign();
    for (auto _ : state) {
        SpringDesign s = input;
        benchmark::DoNotOptimize(
            CalculateSpring(s, kCompressionSpring, WorkingPointMode::KnownHeights, listener));
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_CalculateCompressionSample);

void BM_CalculateExtensionKnownLoads(benchmark::State &state) {
    SilentListener listener;
    SpringDesign input = SampleDesign();
    input.InitialTension = 50.0F;
    input.WorkingLoad1 = 100.0F;
    input.WorkingLoad2 = 200.0F;
    input.WorkingLoad3 = 300.0F;
    for (auto _ : state) {
        SpringDesign s = input;
        benchmark::DoNotOptimize(
            CalculateSpring(s, kExtensionSpring, WorkingPointMode::KnownLoads, listener));
        benchmark::DoNotOptimize(s);
    }
}
BENCHMARK(BM_CalculateExtensionKnownLoads);

// Writing the sixteen results back costs more than the calculation itself.
void BM_FormatSixteenResults(benchmark::State &state) {
    SilentListener listener;
    SpringDesign s = SampleDesign();
    CalculateSpring(s, kCompressionSpring, WorkingPointMode::KnownHeights, listener);
    for (auto _ : state) {
        for (float v : {s.FreeHeight, s.WorkingHeight1, s.WorkingHeight2, s.WorkingHeight3,
                        s.DevelopedLength, s.SolidHeight}) {
            benchmark::DoNotOptimize(FormatOneDecimal(v));
        }
        for (float v :
             {s.WorkingLoad1, s.WorkingLoad2, s.WorkingLoad3, s.SpringIndex, s.CurvatureFactor,
              s.SpringRate, s.Pitch, s.SlendernessRatio, s.MaxShearStress, s.HelixAngle}) {
            benchmark::DoNotOptimize(FormatThreeDecimals(v));
        }
    }
}
BENCHMARK(BM_FormatSixteenResults);

} // namespace
