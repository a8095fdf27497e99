#pragma once

#include "check_inputs.h"
#include "check_result.h"
#include "spring_design.h"

#include <optional>
#include <string>

// The design as the checks read it: the stored single-precision values
// widened once to double, with the inputs beside them.
struct CheckContext {
    const CheckInputs &inputs;
    bool extension = false;
    double wireDiameter = 0.0;
    double meanDiameter = 0.0;
    double activeCoils = 0.0;
    double springIndex = 0.0;
    double curvatureFactor = 0.0;
    double shearModulus = 0.0;
    double freeHeight = 0.0;
    double solidHeight = 0.0;
    double height1 = 0.0;
    double height3 = 0.0;
    double load1 = 0.0;
    double load3 = 0.0;
    double initialTension = 0.0;
    double maxShearStress = 0.0;
    double designerAllowable = 0.0; // the designer's [tau], MPa; 0 when not given
    double developedLength = 0.0;
    double helixAngle = 0.0;
    double slenderness = 0.0;
    double springRate = 0.0; // N/mm
    double totalCoils = 0.0;

    // The corrected stress 8 K F D / (pi d^3) at a load, as the calculation
    // computes it at F3.
    double CorrectedStress(double load) const;
    // True when d, D and n allow the spring formulas at all.
    bool GeometryUsable() const;
};

CheckContext MakeCheckContext(const SpringDesign &design, SpringTypeSign typeSign,
                              const CheckInputs &inputs);

// A result with the parts every check sets.
CheckResult MakeCheck(std::string id, std::string unit, std::string clause);
// The same result marked not applicable, with the reason as its message.
CheckResult NotApplicable(CheckResult check, std::string reason);

// The same, with the input that would have let it judge.
CheckResult NotApplicable(CheckResult check, std::string reason, CheckInput missing);
// A check the stated load makes necessary that cannot be judged: what is
// missing is its message.
CheckResult NotJudged(CheckResult check, std::string reason, CheckInput missing);

// The reasons shared by several checks, in the spring's terms.
inline constexpr const char *kNeedsGeometry = "弹簧几何参数不可用 (d、D、n 须为正且 D > d)";
inline constexpr const char *kNeedsDensity = "缺少材料密度 ρ";
// Rm where neither the material table nor the designer gives it: the wire's
// certificate does.
std::string NeedsTensileStrength(const CheckInputs &inputs);

// Numbers in messages: fixed decimals.
std::string Fixed(double value, int decimals);
