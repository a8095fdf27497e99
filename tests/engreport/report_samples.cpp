#include "report_samples.h"

#include "../calc/design_fixtures.h"
#include "calculate_spring.h"

namespace {

class QuietListener : public CalculationListener {
  public:
    std::vector<std::string> texts;
    void warning(DesignWarning, const std::string &text) override { texts.push_back(text); }
    void totalCoilsReplaced(float) override {}
};

EngineeringReportInput Calculated(SpringDesign design, SpringTypeSign sign, WorkingPointMode mode) {
    QuietListener listener;
    CalculateSpring(design, sign, mode, listener);
    EngineeringReportInput input;
    input.design = design;
    input.typeSign = sign;
    input.date = "2005年06月01日";
    input.programVersion = EngineeringReportProgramVersion();
    input.warnings = listener.texts;
    return input;
}

CheckResult Check(const char *id, std::optional<double> value, const char *unit,
                  std::optional<double> limit, CheckVerdict verdict) {
    return {id,
            value,
            unit,
            limit,
            verdict,
            "GB/T 23935-2009 5.2、表 4",
            "按最小抗拉强度与载荷类型求得的许用值比较, 余量充足。"};
}

FatigueDiagram Fatigue(double tauMin, double tauMax) {
    return {{tauMin, tauMax}, {{0.0, 562.5}, {750.0, 1125.0}}, 1500.0, "GB/T 23935 安全系数法"};
}

} // namespace

EngineeringReportInput SampleCompressionReport() {
    EngineeringReportInput input =
        Calculated(SampleDesign(), kCompressionSpring, WorkingPointMode::KnownHeights);
    input.checks = CheckResults{
        Check("static-strength", 497.944, "MPa", 660.0, CheckVerdict::Ok),
        Check("buckling", std::nullopt, "mm", 16.0, CheckVerdict::Ok),
        Check("coil-clearance", 2.0, "mm", 2.55, CheckVerdict::Fail),
        Check("natural-frequency", 289.4, "Hz", std::nullopt, CheckVerdict::NotApplicable),
        Check("fatigue", 1.25, "", 1.2, CheckVerdict::Ok),
        Check("index", 7.0, "", 4.0, CheckVerdict::Ok),
        Check("helix-angle", 5.197, "°", 9.0, CheckVerdict::Warning),
        Check("mass", 70.5, "g", std::nullopt, CheckVerdict::NotApplicable),
        Check("work", 3684.4, "N·mm", std::nullopt, CheckVerdict::NotApplicable),
    };
    input.fatigue = Fatigue(124.5, 497.944);
    return input;
}

EngineeringReportInput ExtensionExampleReport() {
    SpringDesign design = ExtensionExampleDesign();
    EngineeringReportInput input =
        Calculated(design, kExtensionSpring, WorkingPointMode::KnownLoads);
    input.checks = CheckResults{
        Check("static-strength", 405.368, "MPa", 660.0, CheckVerdict::Ok),
        Check("hook-bending", 812.0, "MPa", 750.0, CheckVerdict::Fail),
        Check("hook-torsion", 450.0, "MPa", 600.0, CheckVerdict::Ok),
        Check("initial-tension", 67.6, "MPa", 80.0, CheckVerdict::Warning),
        Check("fatigue", 1.4, "", 1.2, CheckVerdict::Ok),
    };
    input.fatigue = Fatigue(135.1, 405.368);
    return input;
}
