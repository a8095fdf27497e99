#include "rate_window.h"

#include <algorithm>
#include <cmath>
#include <limits>

// Why no qualifying candidate is lost.
//
// Take two working points i, j with required loads Fi < Fj and stored
// heights Hi, Hj (single precision), and write dH = |Hi - Hj| (exact in
// double). A candidate that qualifies completed its run without a height
// warning, so every working height lies on the loaded side of its free
// height H0, and the run's loads are Fi' = |H0 - Hi| k + F0, the same for
// j, with the rate k and initial tension F0 of that candidate (F0 = 0 for a
// compression spring, >= 0 for a qualifying extension spring). Hence in exact
// arithmetic Fj' - Fi' = k dH, whatever H0 and F0 are, and so whatever the
// rounding of H0 to 0.1 mm or of F0 to 0.1 N did.
//
// The run computes each load in double from single-precision operands and
// stores it to single precision: Fi' carries a relative error below
// 2^-24 + 3 * 2^-53 < 1.3e-7 of (|H0 - Hi| k + F0) <= Fi'(1 + 1.3e-7). So
// |(Fj' - Fi') - k dH| < 2.6e-7 (Fi' + Fj'). Both loads qualify, so
// Fi' <= Fi(1 + tol) and Fj' <= Fj(1 + tol), and
//
//   Fj(1 - tol) - Fi(1 + tol) - e  <=  k dH  <=  Fj(1 + tol) - Fi(1 - tol) + e
//
// with e = 1e-5 (1 + tol)(Fi + Fj), some forty times the rounding bound.
// Every pair of distinct heights gives such a bound; their intersection is
// [lowest_, highest_]. A qualifying candidate's stored rate lies in it.
//
// The stored rate is k = G d^4 / (8 D^3 n) rounded step by step: a relative
// error below 2^-24 + 10 * 2^-53 < 6.2e-8 of the exact quotient A / n, with
// A = G d^4 / (8 D^3) (which this file computes with an error below 1e-15).
// With a margin of 1e-6: k in [lowest_, highest_] needs
//
//   A (1 - 1e-6) / highest_  <=  n  <=  A (1 + 1e-6) / lowest_,
//
// and the quarters of n are taken from the floor of the lower bound to the
// ceiling of the upper one. Every n outside fails a load; the ones inside
// are decided by the candidate's own run, never by this estimate.

namespace {

constexpr double kLoadMargin = 1e-5;
constexpr double kRateMargin = 1e-6;

} // namespace

RateWindow::RateWindow(const SearchRequest &request, const std::array<float, 3> &heights)
    : highest_(std::numeric_limits<double>::infinity()) {
    const auto points = RequiredPoints(request);
    const double above = request.tolerancePercent / 100.0;
    const double below = ToleranceBelowPercent(request) / 100.0;
    for (std::size_t i = 0; i < points.size(); ++i) {
        for (std::size_t j = i + 1; j < points.size(); ++j) {
            const double dH = std::fabs(double{heights[i]} - double{heights[j]});
            if (dH == 0.0) {
                continue; // the third point repeats the second
            }
            const double fi = points[i].load;
            const double fj = points[j].load;
            const double e = kLoadMargin * (1.0 + above) * (fi + fj);
            lowest_ = std::max(lowest_, (fj * (1.0 - below) - fi * (1.0 + above) - e) / dH);
            highest_ = std::min(highest_, (fj * (1.0 + above) - fi * (1.0 - below) + e) / dH);
        }
    }
}

IntegerRange RateWindow::Quarters(float shearModulus, float wireDiameter,
                                  float meanDiameter) const {
    IntegerRange range;
    if (empty()) {
        return range;
    }
    const double d = wireDiameter;
    const double dd = d * d;
    const double meanCubed = double{meanDiameter} * meanDiameter * meanDiameter;
    const double a = double{shearModulus} * dd * dd / (8.0 * meanCubed);
    const double fewest = a * (1.0 - kRateMargin) / highest_;
    range.first = std::isfinite(fewest) ? static_cast<std::int64_t>(std::floor(fewest * 4.0)) : 0;
    if (lowest_ > 0.0) {
        const double most = std::ceil(a * (1.0 + kRateMargin) / lowest_ * 4.0);
        range.last = most < 9.0e18 ? static_cast<std::int64_t>(most)
                                   : std::numeric_limits<std::int64_t>::max();
    } else {
        range.last = std::numeric_limits<std::int64_t>::max();
    }
    return range;
}
