#include "chart_axis.h"

#include <fmt/format.h>

#include <algorithm>
#include <array>
#include <cmath>

namespace {

// The round step of at least rawStep: 1, 2 or 5 times a power of ten.
double RoundStepAtLeast(double rawStep) {
    const double magnitude = std::pow(10.0, std::floor(std::log10(rawStep)));
    for (const double factor : std::array{1.0, 2.0, 5.0, 10.0}) {
        if (factor * magnitude >= rawStep * (1.0 - 1e-12)) {
            return factor * magnitude;
        }
    }
    return 10.0 * magnitude;
}

double NextRoundStep(double step) {
    return RoundStepAtLeast(step * 1.5);
}

int DecimalsOf(double step) {
    int decimals = 0;
    while (decimals < 6 && std::fabs(step - std::round(step)) > 1e-9 * std::max(1.0, step)) {
        step *= 10.0;
        ++decimals;
    }
    return decimals;
}

} // namespace

ChartAxis RoundAxis(double lo, double hi, int maxIntervals) {
    if (!std::isfinite(lo) || !std::isfinite(hi)) {
        lo = 0.0;
        hi = 1.0;
    }
    if (hi < lo) {
        std::swap(lo, hi);
    }
    if (hi - lo <= 1e-9 * std::max(1.0, std::fabs(hi))) {
        const double widen = std::max(1.0, std::fabs(hi) * 0.1);
        lo = lo >= 0.0 && lo < widen ? 0.0 : lo - widen;
        hi += widen;
    }
    maxIntervals = std::max(1, maxIntervals);

    ChartAxis axis;
    double step = RoundStepAtLeast((hi - lo) / maxIntervals);
    double first = std::floor(lo / step + 1e-9) * step;
    double last = std::ceil(hi / step - 1e-9) * step;
    while (std::lround((last - first) / step) > maxIntervals) {
        step = NextRoundStep(step);
        first = std::floor(lo / step + 1e-9) * step;
        last = std::ceil(hi / step - 1e-9) * step;
    }
    axis.lo = first;
    axis.hi = last;
    axis.step = step;
    const long count = std::lround((last - first) / step);
    for (long i = 0; i <= count; ++i) {
        const double tick = first + static_cast<double>(i) * step;
        axis.ticks.push_back(std::fabs(tick) < step * 1e-9 ? 0.0 : tick);
    }
    return axis;
}

std::string TickLabel(double value, double step) {
    if (std::fabs(value) < std::fabs(step) * 1e-6) {
        value = 0.0; // never "-0.0"
    }
    return fmt::format("{:.{}f}", value, DecimalsOf(step));
}

double LinearMap::operator()(double value) const {
    const double span = valueHi - valueLo;
    if (span == 0.0) {
        return (pixelLo + pixelHi) / 2.0;
    }
    return pixelLo + (value - valueLo) / span * (pixelHi - pixelLo);
}

LinearMap MapAxis(const ChartAxis &axis, double pixelLo, double pixelHi) {
    return {axis.lo, axis.hi, pixelLo, pixelHi};
}
