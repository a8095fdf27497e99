// One judgement: every design the search lists, run again from its
// reproducing command through the single design's call, completes or stops
// alike and shows the same verdict, value and limit in every check row; and
// the ranking keys the search printed are the values of that design.
#include "check_options.h"
#include "formulas.h"
#include "judge_design.h"
#include "search_design_request.h"
#include "search_setup.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <string>
#include <vector>

namespace {

struct Grade {
    const char *name;
    bool hasRmTable;  // else only a certificate Rm or a typed [tau] gives a stress
    bool fixedStress; // its [tau] in MPa: EN's share of Rm needs a certificate Rm
};
const Grade kGrades[] = {
    {"65Mn", false, true},          {"60Si2MnA", false, true},  {"50CrVA", false, true},
    {"EN 10270-1 SM", true, false}, {"ASTM A228", true, false}, {"12Cr18Ni9", true, false},
    {"FDC", true, false},           {"70-C", false, false},     {"QSn6.5-0.1", false, false},
};

std::string Text(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.6g", value);
    return text;
}

// A small random search around a spring that exists: d, C and n drawn, the
// loads from its rate at two or three heights, the options drawn too.
SearchArguments RandomSearch(std::mt19937 &random) {
    const auto uniform = [&random](double low, double high) {
        return std::uniform_real_distribution<double>(low, high)(random);
    };
    const auto pick = [&random](int count) {
        return std::uniform_int_distribution<int>(0, count - 1)(random);
    };
    SearchArguments a;
    const Grade &grade = kGrades[pick(static_cast<int>(std::size(kGrades)))];
    a.values["materials-file"] = ORSELA_MATERIALS_JSON;
    a.values["material"] = grade.name;
    a.values["minimize"] = std::vector<const char *>{"mass", "stress", "outer-diameter"}[pick(3)];
    const bool extension = pick(3) == 0;
    if (extension) {
        a.flags.insert("extension");
    } else if (pick(4) == 0) {
        a.values["minimize"] = "solid-height";
    }
    const double d = std::vector<double>{2.0, 2.5, 3.0, 3.5, 4.0, 4.5, 5.0}[pick(7)];
    const double c = uniform(5.0, 9.0);
    const double n = uniform(4.0, 10.0);
    const double rate = 79000.0 * std::pow(d, 4) / (8.0 * std::pow(c * d, 3) * n);
    const double f1 = uniform(2.0, 6.0);
    const double stroke = uniform(3.0, 9.0);
    double h1 = 0.0;
    double h2 = 0.0;
    double load1 = rate * f1;
    if (extension) {
        h1 = (n + 1.0) * d + 2.0 * (c - 1.0) * d + f1;
        h2 = h1 + stroke;
        load1 += uniform(0.0, 0.3) * rate * f1; // some initial tension
    } else {
        h2 = (n + 2.0) * d + uniform(1.0, 6.0);
        h1 = h2 + stroke;
    }
    a.values["load1"] = Text(load1);
    a.values["height1"] = Text(h1);
    a.values["load2"] = Text(load1 + rate * stroke);
    a.values["height2"] = Text(h2);
    if (pick(3) == 0) {
        const double more = uniform(1.0, 3.0);
        a.values["load3"] = Text(load1 + rate * (stroke + more));
        a.values["height3"] = Text(extension ? h2 + more : h2 - more);
    }
    a.values["wire-diameters"] = Text(d - 0.5) + "," + Text(d) + "," + Text(d + 0.5);
    a.values["index-range"] = Text(c - 1.0) + "," + Text(c + 1.0);
    a.values["active-coils-range"] = Text(std::max(3.0, n - 3.0)) + "," + Text(n + 3.0);
    a.values["top"] = "4";
    const bool en = pick(2) == 0;
    if (en) {
        a.values["standard"] = "en";
    }
    const bool needsRm = (!grade.hasRmTable && !grade.fixedStress) || (en && grade.fixedStress);
    if (pick(3) == 0 || (needsRm && pick(3) != 0)) {
        a.values["tensile-strength"] = Text(std::round(uniform(1000.0, 2200.0)));
    }
    if ((needsRm && !a.values.count("tensile-strength")) || pick(4) == 0) {
        a.values["allowable-shear-stress"] = Text(std::round(uniform(300.0, 800.0)));
    }
    if (pick(2) == 0) {
        a.values["load-cycles"] = Text(std::pow(10.0, uniform(2.0, 8.5)));
    }
    if (pick(5) == 0) {
        a.values["load-type"] =
            std::vector<const char *>{"static", "dynamic-limited", "dynamic-unlimited"}[pick(3)];
    }
    if (pick(4) == 0) {
        a.values["end-condition"] =
            std::vector<const char *>{"fixed-pinned", "pinned-pinned", "fixed-free"}[pick(3)];
    }
    const int tolerance = pick(4);
    a.values["tolerance"] = tolerance == 0   ? "0"
                            : tolerance == 1 ? "5"
                            : tolerance == 2 ? "+0,-4"
                                             : "2";
    return a;
}

double OwnMetric(const SearchArguments &a, const SearchRequest &r, const SpringDesign &s) {
    const std::string &what = a.values.at("minimize");
    if (what == "stress") {
        return s.MaxShearStress;
    }
    if (what == "solid-height") {
        return s.SolidHeight;
    }
    if (what == "outer-diameter") {
        return double{s.MeanDiameter} + s.WireDiameter;
    }
    const double d = s.WireDiameter;
    return *r.density * 1.0e-3 * formulas::kPi * d * d / 4.0 * double{s.DevelopedLength};
}

DesignStatus ExpectedStatus(const EvaluatedDesign &e) {
    if (e.completed) {
        return DesignStatus::Completed;
    }
    for (const MissReason &miss : e.misses) {
        if (miss.kind == MissKind::CalculationFault) {
            return DesignStatus::Fault;
        }
        if (miss.kind == MissKind::NegativeInitialTension) {
            return DesignStatus::Refused;
        }
    }
    return DesignStatus::Stopped;
}

struct Tally {
    int searches = 0;
    int listed = 0;
    int qualified = 0;
    int rows = 0;
    int failedRows = 0;
};

void CompareListed(const SearchArguments &a, const SearchSetup &setup, const EvaluatedDesign &e,
                   bool qualified, Tally &tally) {
    const DesignRequest request =
        SearchDesignRequest(e, setup.request, std::string(ORSELA_MATERIALS_JSON));
    const DesignOutcome again = JudgeDesign(request);
    ++tally.listed;
    ASSERT_EQ(again.status, ExpectedStatus(e)) << again.message;
    ASSERT_EQ(again.checks.size(), e.checks.size());
    for (std::size_t i = 0; i < e.checks.size(); ++i) {
        const CheckResult &listed = e.checks[i];
        const CheckResult &single = again.checks[i];
        SCOPED_TRACE(listed.id);
        EXPECT_EQ(single.id, listed.id);
        EXPECT_EQ(single.verdict, listed.verdict) << single.message;
        EXPECT_EQ(single.limit, listed.limit);
        EXPECT_EQ(single.value, listed.value);
        ++tally.rows;
        tally.failedRows += listed.verdict == CheckVerdict::Fail ? 1 : 0;
    }
    if (!qualified) {
        return;
    }
    ++tally.qualified;
    // A listed design passes its own command: no warning, no failed check.
    EXPECT_TRUE(again.warnings.empty()) << again.warnings.front();
    EXPECT_FALSE(HasFailedCheck(again.checks));
    // The ranking keys are that design's own values.
    EXPECT_EQ(e.rankedLater, InitialStressTooHigh(again.checks));
    EXPECT_DOUBLE_EQ(e.metric, OwnMetric(a, setup.request, again.design));
    // The strength at the largest load the tolerance allows, against the
    // designer's [tau] where typed.
    const SpringDesign &s = again.design;
    const double judged =
        s.MaxShearStress * std::max(1.0, StrengthLoad(setup.request) / s.WorkingLoad3);
    EXPECT_LE(judged, double{s.AllowableShearStress} * (1.0 + 1e-12));
    if (const auto typed = a.values.find("allowable-shear-stress"); typed != a.values.end()) {
        EXPECT_EQ(s.AllowableShearStress, static_cast<float>(std::stod(typed->second)));
    }
    EXPECT_GE(s.ActiveCoils, 3.0F);
}

TEST(SearchJudgement, EveryListedDesignIsJudgedAsItsCommandJudgesIt) {
    std::mt19937 random(20240611);
    Tally tally;
    for (int i = 0; i < 220; ++i) {
        const SearchArguments a = RandomSearch(random);
        std::string error;
        const auto setup = BuildSearch(a, error);
        ASSERT_TRUE(setup) << "search " << i << ": " << error;
        SearchOptions options;
        options.threads = 1;
        options.checks = ChecksFor(*setup);
        const SearchOutcome outcome = SearchDesigns(setup->request, options);
        ++tally.searches;
        const bool qualified = !outcome.best.empty();
        const auto &listed = qualified ? outcome.best : outcome.nearestMisses;
        for (std::size_t k = 0; k < listed.size(); ++k) {
            SCOPED_TRACE("search " + std::to_string(i) + ", design " + std::to_string(k + 1));
            CompareListed(a, *setup, listed[k], qualified, tally);
            if (qualified && k > 0) {
                const EvaluatedDesign &before = listed[k - 1];
                EXPECT_LE(std::make_pair(before.rankedLater, before.metric),
                          std::make_pair(listed[k].rankedLater, listed[k].metric));
            }
        }
    }
    // The property is only as good as what it saw: designs that qualify and
    // misses, check rows that pass and rows that fail.
    EXPECT_EQ(tally.searches, 220);
    EXPECT_GT(tally.qualified, 200);
    EXPECT_GT(tally.listed - tally.qualified, 50);
    EXPECT_GT(tally.rows, 2000);
    EXPECT_GT(tally.failedRows, 10);
}

} // namespace
