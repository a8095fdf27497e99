#include "candidate_grid.h"
#include "torsion_candidate.h"
#include "torsion_search.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

double LargestStressShare(const TorsionOutcome &o) {
    for (const CheckResult &check : o.checks) {
        if (check.id == "torsion-bending" && check.value && check.limit && *check.limit > 0.0) {
            return *check.value / *check.limit;
        }
    }
    double largest = 0.0;
    for (const auto &stress : o.spring.stresses) {
        largest = std::max(largest, stress ? static_cast<double>(*stress) : 0.0);
    }
    return largest;
}

double Objective(const TorsionSearchRequest &r, const TorsionOutcome &o) {
    switch (r.space.objective) {
    case SearchObjective::OuterDiameter:
        return o.spring.outerDiameter;
    case SearchObjective::Stress:
        return LargestStressShare(o);
    default:
        return o.spring.mass.value_or(0.0F);
    }
}

// The rate goes as 1/n_eff, n_eff = n + the legs' share, and the legs' share
// does not depend on n: one candidate at 10 coils tells the rate of any n.
struct RateOfCoils {
    double stiffness = 0.0; // T'·n_eff
    double legs = 0.0;      // n_eff − n
    double coils(double rate) const { return stiffness / rate - legs; }
    double rate(double coils) const { return stiffness / (coils + legs); }
};

std::optional<RateOfCoils> Probe(const TorsionSearchRequest &r, double d, double meanDiameter) {
    const TorsionCandidate probe = JudgeTorsionCandidate(r, d, meanDiameter, 10.0);
    if (probe.outcome.status != DesignStatus::Completed) {
        return std::nullopt;
    }
    const TorsionSpring &s = probe.outcome.spring;
    return RateOfCoils{double{s.angularRate} * s.effectiveCoils, s.effectiveCoils - 10.0};
}

// The quarter nearest to coils, within the range.
std::int64_t QuarterWithin(double coils, const IntegerRange &quarters) {
    const double q = std::clamp(std::round(coils * 4.0), static_cast<double>(quarters.first),
                                static_cast<double>(quarters.last));
    return static_cast<std::int64_t>(q);
}

// Every (d, D) pair of the index range counted through a pass (once a
// sweep); told to the caller every few pairs and at the end.
class PassProgress {
  public:
    PassProgress(const TorsionSearchRequest &r, const TorsionSearchOptions &options, int pass,
                 std::size_t sweeps = 1)
        : options_(options), pass_(pass) {
        for (double d : r.wires) {
            total_ +=
                sweeps * static_cast<std::size_t>(
                             MeanDiameterTenths(d, r.space.minIndex, r.space.maxIndex).count());
        }
    }
    void advance(std::size_t pairs) {
        done_ += pairs;
        if (options_.progress && (done_ - told_ >= 32 || done_ == total_)) {
            told_ = done_;
            options_.progress({pass_, done_, total_});
        }
    }

  private:
    const TorsionSearchOptions &options_;
    int pass_;
    std::size_t total_ = 0;
    std::size_t done_ = 0;
    std::size_t told_ = 0;
};

bool BreaksEnvelope(const TorsionCandidate &c) {
    return std::any_of(c.misses.begin(), c.misses.end(), [](const MissReason &m) {
        return m.kind == MissKind::OuterDiameter || m.kind == MissKind::BodyLength;
    });
}

bool RateMissed(const TorsionCandidate &c) {
    return !c.misses.empty() && c.misses.front().kind == MissKind::RateOutsideTolerance;
}

// Pass 1: for each pair within the outer diameter, the coils whose rate lies
// within the tolerance (a quarter wider each side, for the rounding of the
// stored rate; each candidate's own rate decides).
void FindQualified(const TorsionSearchRequest &r, const TorsionSearchOptions &options,
                   TorsionSearchOutcome &result) {
    const double required = RequiredAngularRate(r);
    const double fastest = required * (1.0 + r.space.tolerancePercent / 100.0);
    const double slowest = required * (1.0 - ToleranceBelowPercent(r.space) / 100.0);
    const IntegerRange quarters =
        ActiveCoilQuarters(r.space.minActiveCoils, r.space.maxActiveCoils);
    PassProgress progress(r, options, 1);
    for (double d : r.wires) {
        const IntegerRange tenths = MeanDiameterTenths(d, r.space.minIndex, r.space.maxIndex);
        for (std::int64_t t = tenths.first; t <= tenths.last; ++t) {
            const double meanDiameter = MeanDiameterOf(t);
            // As each candidate's own stored D + d is held against it.
            if (r.space.limits.maxOuterDiameter &&
                static_cast<float>(meanDiameter + d) >
                    static_cast<float>(*r.space.limits.maxOuterDiameter)) {
                progress.advance(static_cast<std::size_t>(tenths.last - t + 1));
                break; // D grows along the row
            }
            const auto fit = Probe(r, d, meanDiameter);
            progress.advance(1);
            if (!fit) {
                continue;
            }
            const double last = static_cast<double>(quarters.last) + 1.0;
            const auto from =
                static_cast<std::int64_t>(std::clamp(std::floor(fit->coils(fastest) * 4.0) - 1.0,
                                                     static_cast<double>(quarters.first), last));
            // No lower bound (a tolerance of 100 % below) leaves every n up to the range's.
            const double most = slowest > 0.0 ? fit->coils(slowest) * 4.0 : last;
            const auto to = static_cast<std::int64_t>(
                std::clamp(std::ceil(most) + 1.0, static_cast<double>(quarters.first) - 1.0,
                           static_cast<double>(quarters.last)));
            const std::int64_t first = options.prune ? from : quarters.first;
            const std::int64_t final = options.prune ? to : quarters.last;
            for (std::int64_t q = first; q <= final; ++q) {
                TorsionCandidate c = JudgeTorsionCandidate(r, d, meanDiameter, ActiveCoilsOf(q));
                ++result.judged;
                if (c.outcome.status != DesignStatus::Completed) {
                    ++result.notCompleted;
                } else if (RateMissed(c)) {
                    continue;
                } else if (BreaksEnvelope(c)) {
                    ++result.outsideEnvelope;
                } else if (!c.misses.empty()) {
                    ++result.failedChecks;
                } else {
                    c.objective = Objective(r, c.outcome);
                    ++result.qualified;
                    result.best.push_back(std::move(c));
                }
            }
        }
    }
    // Ties by the smaller wire, then the smaller D and n: the same order every run.
    std::stable_sort(result.best.begin(), result.best.end(),
                     [](const TorsionCandidate &a, const TorsionCandidate &b) {
                         return a.objective < b.objective;
                     });
    if (result.best.size() > r.space.top) {
        result.best.resize(r.space.top);
    }
}

bool Nearer(const TorsionCandidate &a, const TorsionCandidate &b) {
    const TorsionInputs &x = a.outcome.inputs;
    const TorsionInputs &y = b.outcome.inputs;
    if (a.missDistance != b.missDistance) {
        return a.missDistance < b.missDistance;
    }
    if (x.wireDiameter != y.wireDiameter) {
        return x.wireDiameter < y.wireDiameter;
    }
    if (x.meanDiameter != y.meanDiameter) {
        return x.meanDiameter < y.meanDiameter;
    }
    return x.activeCoils < y.activeCoils;
}

// Pass 2, when none qualified: every pair of the index range, the outer
// diameter no bound but a miss. A candidate's misses sum to at least its
// rate's miss, which only grows away from the coils of the required rate,
// plus what its d and D alone miss. A first sweep judges each pair at those
// coils, so that the misses kept are near ones; the second walks each pair
// from them each way until that sum exceeds the farthest miss kept. The
// nearest are those of the whole space (a test compares them with every n
// judged: prune false).
class NearestMisses {
  public:
    NearestMisses(const TorsionSearchRequest &r, const TorsionSearchOptions &options,
                  TorsionSearchOutcome &result)
        : r_(r), options_(options), result_(result) {}

    void find() {
        const IntegerRange quarters =
            ActiveCoilQuarters(r_.space.minActiveCoils, r_.space.maxActiveCoils);
        PassProgress progress(r_, options_, 2, 2);
        std::vector<Pair> pairs;
        std::size_t uncalculated = 0;
        for (double d : r_.wires) {
            const IntegerRange tenths = MeanDiameterTenths(d, r_.space.minIndex, r_.space.maxIndex);
            for (std::int64_t t = tenths.first; t <= tenths.last; ++t) {
                const double meanDiameter = MeanDiameterOf(t);
                const auto fit = Probe(r_, d, meanDiameter);
                progress.advance(1);
                if (fit) {
                    Pair pair{d, meanDiameter, *fit,
                              QuarterWithin(fit->coils(RequiredAngularRate(r_)), quarters), 0.0};
                    visit(pair, pair.start, false);
                    pairs.push_back(pair);
                } else {
                    ++uncalculated;
                }
            }
        }
        progress.advance(uncalculated); // the second sweep has nothing of theirs to walk
        for (Pair &pair : pairs) {
            for (std::int64_t q = pair.start + 1; q <= quarters.last && visit(pair, q, true); ++q) {
            }
            for (std::int64_t q = pair.start - 1; q >= quarters.first && visit(pair, q, true);
                 --q) {
            }
            progress.advance(1);
        }
    }

  private:
    struct Pair {
        double d;
        double meanDiameter;
        RateOfCoils fit;
        std::int64_t start; // the quarter nearest the required rate's coils
        double diameters;   // what every n of the pair misses, once known
    };

    double farthest() const {
        return result_.nearestMisses.size() < r_.space.top || !options_.prune
                   ? std::numeric_limits<double>::infinity()
                   : result_.nearestMisses.back().missDistance;
    }

    // Judges quarter q of the pair; false when bounded and neither it nor
    // any beyond it can be kept.
    bool visit(Pair &pair, std::int64_t q, bool bounded) {
        // The stored rate is a float: its miss may lie this much below the estimate.
        constexpr double kRounding = 1e-6;
        const double coils = ActiveCoilsOf(q);
        if (bounded &&
            RateExcess(r_, pair.fit.rate(coils)) + pair.diameters - kRounding > farthest()) {
            return false;
        }
        TorsionCandidate c = JudgeTorsionCandidate(r_, pair.d, pair.meanDiameter, coils);
        ++result_.judged;
        if (c.outcome.status != DesignStatus::Completed) {
            return true;
        }
        pair.diameters = MissOfDiameters(c);
        std::vector<TorsionCandidate> &kept = result_.nearestMisses;
        const auto at = std::upper_bound(kept.begin(), kept.end(), c, Nearer);
        if (static_cast<std::size_t>(at - kept.begin()) < r_.space.top) {
            kept.insert(at, std::move(c));
            if (kept.size() > r_.space.top) {
                kept.pop_back();
            }
        }
        return true;
    }

    const TorsionSearchRequest &r_;
    const TorsionSearchOptions &options_;
    TorsionSearchOutcome &result_;
};

} // namespace

TorsionSearchOutcome SearchTorsionSprings(const TorsionSearchRequest &request) {
    return SearchTorsionSprings(request, TorsionSearchOptions());
}

TorsionSearchOutcome SearchTorsionSprings(const TorsionSearchRequest &request,
                                          const TorsionSearchOptions &options) {
    TorsionSearchOutcome result;
    FindQualified(request, options, result);
    if (result.best.empty()) {
        NearestMisses(request, options, result).find();
    }
    return result;
}
