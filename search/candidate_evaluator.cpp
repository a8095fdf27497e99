#include "candidate_evaluator.h"

#include "candidate_grid.h"
#include "checked_math.h"
#include "formulas.h"

#include <algorithm>
#include <cmath>

namespace {

class SilentListener : public CalculationListener {
  public:
    void warning(DesignWarning, const std::string &) override {}
    void totalCoilsReplaced(float) override {}
};

// Rounded to the nearest multiple of 1/steps (0.1 mm, 0.1 N), half away from
// zero, and stored.
float RoundedTo(double value, double steps) {
    const double scaled = checked::Step(value * steps);
    if (std::fabs(scaled) >= 9.0e15) {
        checked::Raise(CalculationErrorKind::Overflow);
    }
    return checked::Store(static_cast<double>(std::llround(scaled)) / steps);
}

MissReason Miss(MissKind kind, double value, double limit, double excess) {
    MissReason r;
    r.kind = kind;
    r.value = value;
    r.limit = limit;
    r.excess = excess;
    return r;
}

double Excess(double beyond, double limit) {
    return limit > 0.0 ? beyond / limit : 1.0;
}

} // namespace

bool InitialStressTooHigh(const CheckResults &checks) {
    for (const CheckResult &check : checks) {
        if (check.id == "initial-tension" && check.verdict == CheckVerdict::Warning &&
            check.value && check.limit && *check.value > *check.limit) {
            return true;
        }
    }
    return false;
}

namespace {

// D ± d as the design stores it and the limit as the field would: 32.2 + 4
// fits 36.2, which the sum in double (36.2000008) would not.
bool OuterFits(const SpaceLimits &limits, double outer) {
    return !limits.maxOuterDiameter ||
           static_cast<float>(outer) <= static_cast<float>(*limits.maxOuterDiameter);
}

bool InnerFits(const SpaceLimits &limits, double inner) {
    return !limits.minInnerDiameter ||
           static_cast<float>(inner) >= static_cast<float>(*limits.minInnerDiameter);
}

} // namespace

bool DiametersFit(const SpaceLimits &limits, float wireDiameter, float meanDiameter) {
    return OuterFits(limits, double{meanDiameter} + wireDiameter) &&
           InnerFits(limits, double{meanDiameter} - wireDiameter);
}

CandidateEvaluator::CandidateEvaluator(const SearchRequest &request, const CandidateChecks &checks)
    : request_(request), checks_(checks), points_(RequiredPoints(request)) {
    for (std::size_t i = 0; i < 3; ++i) {
        heights_[i] = static_cast<float>(points_[i].height);
    }
    largestLoad_ = points_[2].load;
    strengthLoad_ = StrengthLoad(request);
    current_.design.Material = request.material;
}

void CandidateEvaluator::AddMiss(MissReason reason) {
    current_.missDistance += reason.excess;
    current_.misses.push_back(std::move(reason));
}

const EvaluatedDesign &CandidateEvaluator::Evaluate(std::size_t wire, std::int64_t tenths,
                                                    std::int64_t quarters, double checkBudget) {
    SpringDesign &s = current_.design;
    std::string material = std::move(s.Material);
    s = SpringDesign{};
    s.Material = std::move(material);
    current_.qualified = false;
    current_.mass.reset();
    current_.metric = 0.0;
    current_.checks.clear();
    current_.misses.clear();
    current_.missDistance = 0.0;
    current_.stressComputed = false;
    current_.completed = false;
    current_.rankedLater = false;
    laterCoilsFail_ = false;

    const WireChoice &choice = request_.wires[wire];
    s.WireDiameter = static_cast<float>(choice.diameter);
    s.AllowableShearStress = static_cast<float>(choice.allowableShearStress);
    s.ShearModulus = static_cast<float>(ShearModulusOf(request_, choice));
    s.MeanDiameter = MeanDiameterOf(tenths);
    s.ActiveCoils = ActiveCoilsOf(quarters);
    s.WorkingHeight1 = heights_[0];
    s.WorkingHeight2 = heights_[1];
    s.WorkingHeight3 = heights_[2];
    if (request_.typeSign == kCompressionSpring) {
        s.TotalCoils = checked::Store(static_cast<double>(quarters) / 4.0 + request_.endCoils);
    } else {
        s.TotalCoils = s.ActiveCoils;
        s.Pitch = request_.pitch ? static_cast<float>(*request_.pitch) : s.WireDiameter;
    }

    if (Run()) {
        RunChecks(checkBudget);
    }
    current_.qualified = current_.misses.empty();
    return current_;
}

// The candidate's free height (compression) or initial tension (extension)
// from the first working point, then the same run as a single design with
// the working heights given. False when the run did not complete.
bool CandidateEvaluator::Run() {
    SpringDesign &s = current_.design;
    const bool compression = request_.typeSign == kCompressionSpring;
    CalculationOutcome outcome;
    try {
        formulas::StoreSpringRate(s);
        const double rate = s.SpringRate;
        if (compression) {
            s.FreeHeight =
                RoundedTo(double{heights_[0]} + checked::Divide(points_[0].load, rate), 10.0);
        } else {
            s.FreeHeight = formulas::ExtensionFreeHeight(s);
            s.InitialTension = RoundedTo(
                points_[0].load - checked::Step(rate * (double{heights_[0]} - s.FreeHeight)), 10.0);
        }
        SilentListener listener;
        outcome = CalculateSpring(s, request_.typeSign, WorkingPointMode::KnownHeights, listener);
    } catch (const CalculationError &e) {
        MissReason fault;
        fault.kind = MissKind::CalculationFault;
        fault.fault = e.kind();
        fault.checkMessage = CalculationErrorMessage(e); // the window's words
        fault.excess = 1.0e9;
        AddMiss(std::move(fault));
        return false;
    }

    const bool negativeTension = !compression && s.InitialTension < 0.0F;
    if (negativeTension) {
        AddMiss(Miss(MissKind::NegativeInitialTension, s.InitialTension, 0.0,
                     Excess(-double{s.InitialTension}, largestLoad_)));
    }
    JudgeWarnings(outcome);
    const bool coilsAccepted = outcome.stoppedBy != DesignWarning::TotalCoilsOutOfRange;
    if (coilsAccepted) {
        JudgeLoads();
    }
    JudgeSpace(compression && coilsAccepted);

    // Free height and solid height never shrink as n grows for the same d
    // and D (the rate only falls, the coil count only rises), so a candidate
    // that breaks one of these rules through them is followed by ones that do too.
    const SpaceLimits &limits = request_.limits;
    const bool tooTall = limits.maxFreeHeight && s.FreeHeight > *limits.maxFreeHeight;
    if (compression) {
        const bool solidTooTall =
            coilsAccepted && (s.WorkingHeight3 <= s.SolidHeight ||
                              (limits.maxSolidHeight && s.SolidHeight > *limits.maxSolidHeight));
        laterCoilsFail_ = tooTall || solidTooTall;
    } else {
        const bool freeAboveWorking = s.WorkingHeight1 < s.FreeHeight ||
                                      s.WorkingHeight2 < s.FreeHeight ||
                                      s.WorkingHeight3 < s.FreeHeight;
        laterCoilsFail_ = tooTall || freeAboveWorking;
    }

    if (outcome.stoppedBy) {
        StressOfStoppedRun();
        return false;
    }
    current_.stressComputed = true;
    Rank();
    // The single design refuses a negative F0: no run, so no checks, as its
    // reproducing command shows none.
    current_.completed = !negativeTension;
    return current_.completed;
}

// A run stopped by a design warning (a spring that goes solid, say) has its
// loads but not its stress: computed here from them, so that a nearest miss
// shows its own stress and its distance counts the stress over [tau] too.
void CandidateEvaluator::StressOfStoppedRun() {
    SpringDesign &s = current_.design;
    if (!(s.WorkingLoad3 > 0.0F)) {
        return;
    }
    try {
        formulas::StoreSpringIndex(s);
        formulas::StoreCurvatureFactor(s);
        formulas::StoreMaxShearStress(s);
    } catch (const CalculationError &) {
        return;
    }
    current_.stressComputed = true;
    JudgeStress();
}

void CandidateEvaluator::JudgeWarnings(const CalculationOutcome &outcome) {
    const SpringDesign &s = current_.design;
    if (outcome.stoppedBy) {
        MissReason r;
        r.warning = outcome.stoppedBy;
        switch (*outcome.stoppedBy) {
        case DesignWarning::TotalCoilsOutOfRange:
            r.value = s.TotalCoils;
            r.excess = 1.0;
            break;
        case DesignWarning::PitchBelowWireDiameter:
            r.value = s.Pitch;
            r.limit = s.WireDiameter;
            r.excess = Excess(r.limit - r.value, r.limit);
            break;
        case DesignWarning::CompressionHeightAboveFree:
            r.value = std::max({s.WorkingHeight1, s.WorkingHeight2, s.WorkingHeight3});
            r.limit = s.FreeHeight;
            r.excess = Excess(r.value - r.limit, r.limit);
            break;
        case DesignWarning::SpringGoesSolid:
            // A miss of its own kind: solid at H3 exactly is as far from a
            // working spring as solid well above it, so it counts a whole rule.
            r.value = s.SolidHeight;
            r.limit = s.WorkingHeight3;
            r.excess = 1.0 + Excess(r.value - r.limit, r.limit);
            break;
        case DesignWarning::ExtensionHeightBelowFree:
            r.value = std::min({s.WorkingHeight1, s.WorkingHeight2, s.WorkingHeight3});
            r.limit = s.FreeHeight;
            r.excess = Excess(r.limit - r.value, r.limit);
            break;
        case DesignWarning::StressAboveAllowable:
            break; // never stops a run
        }
        AddMiss(std::move(r));
    }
    if (!outcome.stoppedBy) {
        JudgeStress();
    }
}

// tau against the share of [tau] the request allows (all of it by default),
// at the largest F3 the tolerance lets the spring deliver, or at its own F3
// where that is larger: the spring may be loaded to what was asked, not only
// to what this candidate gives.
void CandidateEvaluator::JudgeStress() {
    const SpringDesign &s = current_.design;
    const double limit = request_.maxStressRatio * s.AllowableShearStress;
    const double ownLoad = s.WorkingLoad3;
    double stress = s.MaxShearStress;
    double load = 0.0;
    if (strengthLoad_ > ownLoad && ownLoad > 0.0) {
        // tau = 8 K C F / (pi d^2) grows with F alone. Finite: both loads
        // are finite and the own load positive.
        stress = double{s.MaxShearStress} * (strengthLoad_ / ownLoad);
        load = strengthLoad_;
    }
    if (stress > limit) {
        MissReason r = Miss(MissKind::Warning, stress, limit, Excess(stress - limit, limit));
        r.warning = DesignWarning::StressAboveAllowable;
        r.load = load;
        AddMiss(std::move(r));
    }
}

void CandidateEvaluator::JudgeLoads() {
    const SpringDesign &s = current_.design;
    const std::array<float, 3> loads = {s.WorkingLoad1, s.WorkingLoad2, s.WorkingLoad3};
    const double above = request_.tolerancePercent / 100.0;
    const double below = ToleranceBelowPercent(request_) / 100.0;
    // Without a third point the third repeats the second: judged once.
    const std::size_t points = request_.third ? 3 : 2;
    for (std::size_t i = 0; i < points; ++i) {
        const double required = points_[i].load;
        const double signedDeviation = double{loads[i]} - required;
        const double deviation = std::fabs(signedDeviation);
        const double allowed = (signedDeviation > 0.0 ? above : below) * required;
        if (deviation > allowed) {
            MissReason r =
                Miss(MissKind::LoadOutsideTolerance, loads[i], required,
                     Excess(deviation - allowed, required > 0.0 ? required : largestLoad_));
            r.point = static_cast<int>(i + 1);
            r.tolerance = request_.tolerancePercent;
            r.toleranceBelow = ToleranceBelowPercent(request_);
            AddMiss(std::move(r));
        }
    }
}

void CandidateEvaluator::JudgeSpace(bool solidHeightKnown) {
    const SpringDesign &s = current_.design;
    const SpaceLimits &limits = request_.limits;
    const double outer = double{s.MeanDiameter} + s.WireDiameter;
    const double inner = double{s.MeanDiameter} - s.WireDiameter;
    if (!OuterFits(limits, outer)) {
        AddMiss(Miss(MissKind::OuterDiameter, outer, *limits.maxOuterDiameter,
                     Excess(outer - *limits.maxOuterDiameter, *limits.maxOuterDiameter)));
    }
    if (!InnerFits(limits, inner)) {
        AddMiss(Miss(MissKind::InnerDiameter, inner, *limits.minInnerDiameter,
                     Excess(*limits.minInnerDiameter - inner, *limits.minInnerDiameter)));
    }
    if (limits.maxFreeHeight && s.FreeHeight > *limits.maxFreeHeight) {
        AddMiss(Miss(MissKind::FreeHeight, s.FreeHeight, *limits.maxFreeHeight,
                     Excess(s.FreeHeight - *limits.maxFreeHeight, *limits.maxFreeHeight)));
    }
    if (solidHeightKnown && limits.maxSolidHeight && s.SolidHeight > *limits.maxSolidHeight) {
        AddMiss(Miss(MissKind::SolidHeight, s.SolidHeight, *limits.maxSolidHeight,
                     Excess(s.SolidHeight - *limits.maxSolidHeight, *limits.maxSolidHeight)));
    }
}

void CandidateEvaluator::RunChecks(double checkBudget) {
    if (!checks_ || (!current_.misses.empty() && current_.missDistance > checkBudget)) {
        return;
    }
    current_.checks = checks_(current_.design, request_.typeSign);
    current_.rankedLater = InitialStressTooHigh(current_.checks);
    for (const CheckResult &check : current_.checks) {
        // A check the load makes necessary that cannot be judged is no pass,
        // as under --strict.
        if (check.verdict == CheckVerdict::Fail || check.verdict == CheckVerdict::NotJudged) {
            MissReason r = Miss(MissKind::CheckFailed, check.value.value_or(0.0),
                                check.limit.value_or(0.0), CheckMissExcess(check));
            r.checkId = check.id;
            r.checkMessage = check.message;
            AddMiss(std::move(r));
        }
    }
}

void CandidateEvaluator::Rank() {
    const SpringDesign &s = current_.design;
    if (request_.density) {
        // rho in kg/dm3 is g/cm3, a thousandth of a gram per mm3.
        const double d = s.WireDiameter;
        current_.mass =
            *request_.density * 1.0e-3 * formulas::kPi * d * d / 4.0 * double{s.DevelopedLength};
    }
    switch (request_.objective) {
    case SearchObjective::Mass:
        current_.metric = current_.mass.value_or(0.0);
        break;
    case SearchObjective::SolidHeight:
        current_.metric = s.SolidHeight;
        break;
    case SearchObjective::OuterDiameter:
        current_.metric = double{s.MeanDiameter} + s.WireDiameter;
        break;
    case SearchObjective::Stress:
        current_.metric = s.MaxShearStress;
        break;
    }
}
