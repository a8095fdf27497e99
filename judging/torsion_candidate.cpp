#include "torsion_candidate.h"

#include "search_design_request.h"

#include <cmath>
#include <cstdio>

namespace {

// Enough digits that the candidate's command gives back its own d and D.
std::string Exact(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

double Excess(double beyond, double limit) {
    return limit > 0.0 ? beyond / limit : 1.0;
}

MissReason Miss(MissKind kind, double value, double limit, double excess) {
    MissReason r;
    r.kind = kind;
    r.value = value;
    r.limit = limit;
    r.excess = excess;
    return r;
}

void AddMiss(TorsionCandidate &c, MissReason reason) {
    c.missDistance += reason.excess;
    c.misses.push_back(std::move(reason));
}

// The rules of the search in the order the listing names them: the rate,
// the envelope, then the checks as the single design runs them.
void JudgeMisses(const TorsionSearchRequest &r, TorsionCandidate &c) {
    const TorsionSpring &s = c.outcome.spring;
    const double required = RequiredAngularRate(r);
    c.rateDeviationPercent = (s.angularRate - required) / required * 100.0;
    if (const double excess = RateExcess(r, s.angularRate); excess > 0.0) {
        MissReason miss = Miss(MissKind::RateOutsideTolerance, s.angularRate, required, excess);
        miss.tolerance = r.space.tolerancePercent;
        miss.toleranceBelow = ToleranceBelowPercent(r.space);
        AddMiss(c, std::move(miss));
    }
    // D + d as stored, against the limit as a float: 7.4 + 1.6 fits 9.
    if (const auto &limit = r.space.limits.maxOuterDiameter;
        limit && s.outerDiameter > static_cast<float>(*limit)) {
        AddMiss(c, Miss(MissKind::OuterDiameter, s.outerDiameter, *limit,
                        Excess(s.outerDiameter - *limit, *limit)));
    }
    if (r.maxBodyLength && s.loadedBodyLength > *r.maxBodyLength) {
        AddMiss(c, Miss(MissKind::BodyLength, s.loadedBodyLength, *r.maxBodyLength,
                        Excess(s.loadedBodyLength - *r.maxBodyLength, *r.maxBodyLength)));
    }
    // Not judged is no pass, as under --strict and in the other kinds' search.
    for (const CheckResult &check : c.outcome.checks) {
        if (check.verdict == CheckVerdict::Fail || check.verdict == CheckVerdict::NotJudged) {
            MissReason miss = Miss(MissKind::CheckFailed, check.value.value_or(0.0),
                                   check.limit.value_or(0.0), CheckMissExcess(check));
            miss.checkId = check.id;
            miss.checkMessage = check.message;
            AddMiss(c, std::move(miss));
        }
    }
}

} // namespace

double RateExcess(const TorsionSearchRequest &r, double rate) {
    const double required = RequiredAngularRate(r);
    const double deviation = rate - required;
    const double allowed =
        (deviation > 0.0 ? r.space.tolerancePercent : ToleranceBelowPercent(r.space)) / 100.0 *
        required;
    return std::fabs(deviation) > allowed ? Excess(std::fabs(deviation) - allowed, required) : 0.0;
}

TorsionCandidate JudgeTorsionCandidate(const TorsionSearchRequest &r, double wireDiameter,
                                       double meanDiameter, double activeCoils) {
    TorsionCandidate c;
    c.arguments = {"--wire-diameter=" + Exact(wireDiameter),
                   "--mean-diameter=" + Exact(meanDiameter),
                   "--active-coils=" + Exact(activeCoils)};
    c.arguments.insert(c.arguments.end(), r.fixedArguments.begin(), r.fixedArguments.end());
    DesignRequest request;
    if (auto refused = StoreArguments(c.arguments, request)) {
        c.outcome.message = *refused;
        return c;
    }
    c.outcome = JudgeTorsionDesign(request);
    if (c.outcome.status == DesignStatus::Completed) {
        JudgeMisses(r, c);
    }
    return c;
}

double MissOfDiameters(const TorsionCandidate &c) {
    double sum = 0.0;
    for (const MissReason &miss : c.misses) {
        if (miss.kind == MissKind::OuterDiameter ||
            (miss.kind == MissKind::CheckFailed && miss.checkId == "torsion-bending")) {
            sum += miss.excess;
        }
    }
    return sum;
}

DesignRequest TorsionCandidateRequest(const TorsionCandidate &candidate) {
    DesignRequest request;
    // The arguments were stored once already when the candidate was judged.
    StoreArguments(candidate.arguments, request);
    return request;
}
