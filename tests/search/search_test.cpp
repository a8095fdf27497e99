#include "candidate_grid.h"
#include "search_fixtures.h"

#include <gtest/gtest.h>

#include <tuple>

namespace {

auto Key(const EvaluatedDesign &e) {
    return std::make_tuple(e.design.WireDiameter, e.design.MeanDiameter, e.design.ActiveCoils);
}

TEST(CandidateGrid, DecimalStepsLandOnTheirMultiples) {
    struct Case {
        double d, minIndex, maxIndex;
        std::int64_t first, last;
    };
    // 4 x 0.35 x 10 is 14.000000000000002 in binary, 16 x 0.35 x 10 is 55.99999999999999.
    for (const Case c : {Case{0.35, 4, 16, 14, 56}, Case{0.1, 4, 16, 4, 16},
                         Case{0.3, 4, 16, 12, 48}, Case{1, 4.01, 4.09, 41, 40}}) {
        const IntegerRange tenths = MeanDiameterTenths(c.d, c.minIndex, c.maxIndex);
        EXPECT_EQ(tenths.first, c.first) << c.d;
        EXPECT_EQ(tenths.last, c.last) << c.d;
    }
    const IntegerRange quarters = ActiveCoilQuarters(2.0, 50.0);
    EXPECT_EQ(quarters.count(), 193);
    EXPECT_FLOAT_EQ(MeanDiameterOf(283), 28.3F);
    EXPECT_EQ(ActiveCoilsOf(21), 5.25F);
}

// D from 27.8 to 28.2 mm (index 6.95 to 7.05) and n from 4 to 6 around the
// sample. By hand, k = 79000 x 4^4 / (8 D^3 n) and H0 = 40 + 92.128 / k
// to 0.1 mm: with n = 5 every D meets F1 and F3 within 2 % (D 27.8:
// k 23.53, H0 43.9, F3 374.2 N, +1.5 %; D 28.2: k 22.55, H0 44.1, F3 363.0 N,
// -1.5 %). n = 4.75 overshoots F3 by more than 2 % even at D 28.2 (377.3 N),
// n = 5.25 falls short even at D 27.8 (360.8 N). The mass grows with D at the
// same n1 = 6.5, so the ranking is D 27.8 ... 28.2, all at n = 5.
TEST(DesignSearch, FindsTheHandWorkedRanking) {
    SearchRequest r = SampleRequest();
    r.minIndex = 6.95;
    r.maxIndex = 7.05;
    r.minActiveCoils = 4.0;
    r.maxActiveCoils = 6.0;
    const SearchOutcome out = SearchDesigns(r, Quiet());
    EXPECT_EQ(out.candidates, 5U * 9U);
    EXPECT_EQ(out.qualified, 5U);
    EXPECT_LT(out.calculated, out.candidates);
    ASSERT_EQ(out.best.size(), 5U);
    const float expectedD[] = {27.8F, 27.9F, 28.0F, 28.1F, 28.2F};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_EQ(Key(out.best[i]), std::make_tuple(4.0F, expectedD[i], 5.0F));
        EXPECT_TRUE(out.best[i].misses.empty());
    }
    EXPECT_FLOAT_EQ(out.best[0].design.FreeHeight, 43.9F);
    EXPECT_FLOAT_EQ(out.best[4].design.FreeHeight, 44.1F);
    // rho pi d^2 / 4 L with L = pi D n1 = pi 28 6.5 = 571.77 mm: 56.40 g.
    EXPECT_NEAR(*out.best[2].mass, 7.85e-3 * 3.14159265 * 4.0 * 571.7699, 1e-3);
}

// Tolerance wide open, so that many designs qualify at each d and D, ranked by
// the outer diameter: exact ties (2 + 30 = 4 + 28) are broken by d, then D,
// then n, and the answer does not depend on the number of threads. [tau] is
// set high: the strength is judged at F3 + 60 %, and the stress is not the point.
TEST(DesignSearch, TiesGoToSmallerDThenDThenNWhateverTheThreads) {
    SearchRequest r = SampleRequest();
    r.wires = {{4.0, 3000.0}, {2.0, 3000.0}, {3.0, 3000.0}};
    r.tolerancePercent = 60.0;
    r.minIndex = 4.0;
    r.maxIndex = 16.0;
    r.minActiveCoils = 2.0;
    r.maxActiveCoils = 10.0;
    r.objective = SearchObjective::OuterDiameter;
    r.top = 100000;
    const SearchOutcome one = SearchDesigns(r, Quiet(1));
    const SearchOutcome three = SearchDesigns(r, Quiet(3));
    ASSERT_GT(one.best.size(), 50U);
    ASSERT_EQ(one.best.size(), three.best.size());
    bool tieAcrossWires = false;
    for (std::size_t i = 0; i < one.best.size(); ++i) {
        EXPECT_EQ(Key(one.best[i]), Key(three.best[i]));
        if (i == 0) {
            continue;
        }
        const auto &a = one.best[i - 1];
        const auto &b = one.best[i];
        ASSERT_LE(a.metric, b.metric);
        if (a.metric == b.metric) {
            EXPECT_LT(Key(a), Key(b));
            tieAcrossWires |= a.design.WireDiameter != b.design.WireDiameter;
        }
    }
    EXPECT_TRUE(tieAcrossWires);
    r.top = 3;
    const SearchOutcome top3 = SearchDesigns(r, Quiet(2));
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_EQ(Key(top3.best[i]), Key(one.best[i]));
    }
}

TEST(DesignSearch, NoDesignQualifiesGivesTheNearestMisses) {
    SearchRequest r = SampleRequest();
    r.minIndex = 4.0;
    r.maxIndex = 16.0;
    r.minActiveCoils = 2.0;
    r.maxActiveCoils = 20.0;
    r.wires = {{3.5, 660.0}, {4.0, 660.0}, {4.5, 660.0}};
    r.limits.maxOuterDiameter = 20.0; // far too small for these loads
    r.top = 5;
    const SearchOutcome out = SearchDesigns(r, Quiet());
    EXPECT_EQ(out.qualified, 0U);
    EXPECT_TRUE(out.best.empty());
    ASSERT_EQ(out.nearestMisses.size(), 5U);
    // The second pass has gone through everything.
    EXPECT_GE(out.calculated, out.candidates);
    for (std::size_t i = 0; i < out.nearestMisses.size(); ++i) {
        const EvaluatedDesign &miss = out.nearestMisses[i];
        ASSERT_FALSE(miss.misses.empty());
        EXPECT_GT(miss.missDistance, 0.0);
        if (i > 0) {
            EXPECT_LE(out.nearestMisses[i - 1].missDistance, miss.missDistance);
        }
    }
}

// The pruned search against every candidate through the calculation.
TEST(DesignSearch, PruningLosesNoQualifyingDesign) {
    struct Case {
        const char *name;
        SearchRequest request;
    };
    SearchRequest wide = SampleRequest();
    wide.wires = {{3.0, 700.0}, {3.5, 700.0}, {4.0, 700.0}, {4.5, 700.0}};
    wide.minIndex = 4.0;
    wide.maxIndex = 16.0;
    wide.minActiveCoils = 2.0;
    wide.maxActiveCoils = 25.0;
    wide.top = 100000;
    SearchRequest twoPoints = wide;
    twoPoints.third.reset();
    twoPoints.tolerancePercent = 0.5;
    SearchRequest limited = wide;
    limited.limits = {34.0, 20.0, 46.0, 27.0};
    limited.endCoils = 2.5;
    SearchRequest extension = wide;
    extension.typeSign = kExtensionSpring;
    extension.first = {100.0, 74.0};
    extension.second = {192.1, 78.0};
    extension.third = WorkingPointRequirement{284.2, 82.0};
    extension.tolerancePercent = 3.0;
    extension.limits.maxFreeHeight = 73.0;
    SearchRequest lopsided = wide;
    lopsided.tolerancePercent = 0.0;
    lopsided.toleranceBelowPercent = 4.0;
    for (const Case &c : {Case{"three points", wide}, Case{"two points, 0.5 %", twoPoints},
                          Case{"space limits", limited}, Case{"extension", extension},
                          Case{"+0 %, -4 %", lopsided}}) {
        SCOPED_TRACE(c.name);
        SearchOptions brute = Quiet();
        brute.prune = false;
        const SearchOutcome pruned = SearchDesigns(c.request, Quiet());
        const SearchOutcome all = SearchDesigns(c.request, brute);
        EXPECT_GT(all.qualified, 0U);
        EXPECT_EQ(pruned.qualified, all.qualified);
        EXPECT_EQ(all.calculated, all.candidates);
        EXPECT_LT(pruned.calculated * 5, all.calculated);
        ASSERT_EQ(pruned.best.size(), all.best.size());
        for (std::size_t i = 0; i < all.best.size(); ++i) {
            EXPECT_EQ(pruned.best[i].design, all.best[i].design);
        }
    }
}

} // namespace
