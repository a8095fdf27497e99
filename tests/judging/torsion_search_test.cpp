// One judgement for torsion springs: every design the search lists, read
// back from its design file and judged by the single design's call, has the
// rate, stresses and verdicts the listing shows; every nearest miss breaks
// each rule it names; and the pruned search lists what judging every n does.
#include "check_options.h"
#include "design_file.h"
#include "judge_torsion.h"
#include "torsion_search.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

std::string Text(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.5g", value);
    return text;
}

// A small search: one or two wires, a torque at an angle (sometimes two),
// often an envelope or a tolerance tight enough that nothing qualifies.
SearchArguments RandomSearch(std::mt19937 &random) {
    const auto uniform = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const auto chance = [&](double p) { return uniform(0.0, 1.0) < p; };
    SearchArguments a;
    a.flags.insert("torsion");
    a.values["materials-file"] = ORSELA_MATERIALS_JSON;
    a.values["material"] = chance(0.8) ? "EN 10270-1 SM" : "ASTM A228";
    a.values["top"] = std::to_string(1 + static_cast<int>(uniform(0.0, 5.0)));
    const double d =
        std::vector<double>{1.0, 1.6, 2.0, 2.5, 3.0}[static_cast<std::size_t>(uniform(0.0, 5.0))];
    a.values["wire-diameters"] = chance(0.5) ? Text(d) : Text(d) + "," + Text(d * 1.25);
    const double torque = uniform(0.05, 0.6) * std::pow(d, 3) * 100.0;
    const double angle = uniform(20.0, 300.0);
    a.values["working-torque2"] = Text(torque);
    a.values["working-angle2"] = Text(angle);
    if (chance(0.3)) {
        a.values["working-torque1"] = Text(torque * 0.4);
        a.values["working-angle1"] = Text(angle * uniform(0.2, 0.6));
    }
    const double low = uniform(4.0, 8.0);
    a.values["index-range"] = Text(low) + "," + Text(low + uniform(1.0, 8.0));
    const double fewest = uniform(2.0, 8.0);
    a.values["active-coils-range"] = Text(fewest) + "," + Text(fewest + uniform(1.0, 20.0));
    a.values["minimize"] = std::vector<const char *>{
        "mass", "stress", "outer-diameter"}[static_cast<std::size_t>(uniform(0.0, 3.0))];
    if (chance(0.5)) {
        a.values["tolerance"] = chance(0.5) ? "0.5" : "+1,-3";
    }
    if (chance(0.4)) {
        a.values["max-outer-diameter"] = Text(d * uniform(5.0, 10.0));
    }
    if (chance(0.4)) {
        a.values["max-body-length"] = Text(d * uniform(4.0, 20.0));
    }
    if (chance(0.3)) {
        a.values["arbor-diameter"] = Text(d * uniform(2.0, 6.0));
    }
    if (chance(0.2)) {
        a.values["load-direction"] = "unwind";
    }
    if (chance(0.2)) {
        a.values["load-type"] = "dynamic-limited";
    }
    if (chance(0.4)) {
        a.values["leg-length1"] = Text(uniform(0.0, 40.0));
    }
    return a;
}

const CheckResult *FindCheck(const CheckResults &checks, const std::string &id) {
    for (const CheckResult &check : checks) {
        if (check.id == id) {
            return &check;
        }
    }
    return nullptr;
}

// What the listing says a miss is, held against the design judged again.
void ExpectMissed(const MissReason &miss, const TorsionSearchRequest &r, const TorsionOutcome &o) {
    const TorsionSpring &s = o.spring;
    switch (miss.kind) {
    case MissKind::RateOutsideTolerance: {
        const double required = RequiredAngularRate(r);
        const double percent = (s.angularRate - required) / required * 100.0;
        EXPECT_TRUE(percent > r.space.tolerancePercent || percent < -ToleranceBelowPercent(r.space))
            << percent;
        break;
    }
    case MissKind::OuterDiameter:
        EXPECT_GT(o.inputs.meanDiameter + o.inputs.wireDiameter,
                  *r.space.limits.maxOuterDiameter + 1e-9);
        break;
    case MissKind::BodyLength:
        EXPECT_GT(s.loadedBodyLength, *r.maxBodyLength);
        break;
    case MissKind::CheckFailed: {
        const CheckResult *check = FindCheck(o.checks, miss.checkId);
        ASSERT_NE(check, nullptr) << miss.checkId;
        EXPECT_TRUE(check->verdict == CheckVerdict::Fail ||
                    check->verdict == CheckVerdict::NotJudged)
            << miss.checkId;
        break;
    }
    default:
        ADD_FAILURE() << "a torsion search names no " << static_cast<int>(miss.kind);
    }
}

void ExpectJudgedAgain(const TorsionSearchRequest &r, const TorsionCandidate &c, bool qualified) {
    const DesignFileRead read =
        ReadDesignText(DesignFileText(TorsionCandidateRequest(c)), "design.json");
    ASSERT_TRUE(read.request) << read.error;
    const TorsionOutcome again = JudgeTorsionDesign(*read.request);
    ASSERT_EQ(again.status, DesignStatus::Completed) << again.message;
    EXPECT_EQ(again.spring.angularRate, c.outcome.spring.angularRate);
    EXPECT_EQ(again.spring.stresses, c.outcome.spring.stresses);
    ASSERT_EQ(again.checks.size(), c.outcome.checks.size());
    for (std::size_t i = 0; i < again.checks.size(); ++i) {
        EXPECT_EQ(again.checks[i].id, c.outcome.checks[i].id);
        EXPECT_EQ(again.checks[i].verdict, c.outcome.checks[i].verdict) << again.checks[i].id;
        EXPECT_EQ(again.checks[i].value, c.outcome.checks[i].value) << again.checks[i].id;
    }
    EXPECT_EQ(qualified, c.misses.empty());
    for (const MissReason &miss : c.misses) {
        SCOPED_TRACE(MissReasonText(miss));
        ExpectMissed(miss, r, again);
    }
    if (qualified) {
        const double required = RequiredAngularRate(r);
        const double percent = (again.spring.angularRate - required) / required * 100.0;
        EXPECT_LE(percent, r.space.tolerancePercent + 1e-9);
        EXPECT_GE(percent, -ToleranceBelowPercent(r.space) - 1e-9);
        EXPECT_FALSE(HasFailedCheck(again.checks));
    }
}

std::vector<std::vector<std::string>> ListedArguments(const TorsionSearchOutcome &o) {
    std::vector<std::vector<std::string>> listed;
    for (const auto *designs : {&o.best, &o.nearestMisses}) {
        for (const TorsionCandidate &c : *designs) {
            listed.push_back(c.arguments);
        }
    }
    return listed;
}

TEST(TorsionSearchJudgement, ListedDesignsAreJudgedAgainAlikeAndMissesMissWhatTheyName) {
    std::mt19937 random(3232);
    int qualified = 0;
    int misses = 0;
    int named = 0;
    for (int i = 0; i < 200; ++i) {
        const SearchArguments arguments = RandomSearch(random);
        SCOPED_TRACE(testing::PrintToString(arguments.values));
        std::string error;
        const auto request = BuildTorsionSearch(arguments, error);
        ASSERT_TRUE(request) << error;
        const TorsionSearchOutcome outcome = SearchTorsionSprings(*request);
        EXPECT_TRUE(outcome.best.empty() || outcome.nearestMisses.empty());
        for (const TorsionCandidate &c : outcome.best) {
            ExpectJudgedAgain(*request, c, true);
            ++qualified;
        }
        for (const TorsionCandidate &c : outcome.nearestMisses) {
            ExpectJudgedAgain(*request, c, false);
            ++misses;
            named += static_cast<int>(c.misses.size());
        }
        // Every tenth: pruning lost nothing.
        if (i % 10 == 0) {
            TorsionSearchOptions everything;
            everything.prune = false;
            EXPECT_EQ(ListedArguments(SearchTorsionSprings(*request, everything)),
                      ListedArguments(outcome));
        }
    }
    EXPECT_GT(qualified, 40);
    EXPECT_GT(misses, 300);
    EXPECT_GT(named, misses);
}

} // namespace
