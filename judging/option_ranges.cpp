#include "option_ranges.h"

#include "field_check.h"

#include <fast_float/fast_float.h>
#include <fmt/format.h>

#include <array>
#include <cmath>

namespace {

// Loads, lengths and stresses of the search share one cap, far beyond any
// spring: every product of the calculation stays finite below it.
constexpr double kSearchCap = 1.0e7;

constexpr std::array kRanges = {
    // The check inputs, also read by the search.
    // A count starts at one load; a working frequency below 0.01 Hz (one
    // stroke in 100 s) is no vibration, and its resonance limit would print as 0.
    OptionRange{"load-cycles", 1.0, 1.0e12, "次", true},
    OptionRange{"working-frequency", 0.01, 1.0e5, "Hz", true},
    OptionRange{"hook-bend-radius", 0.0, 1.0e4, "mm"},
    OptionRange{"tensile-strength", 100.0, 5000.0, "MPa"},
    OptionRange{"elastic-modulus", 1.0e4, 1.0e6, "MPa"},
    OptionRange{"density", 0.5, 25.0, "kg/dm³"},
    // The torsion spring's numbers: lengths and torques to the search's cap,
    // angles to a hundred turns.
    OptionRange{"leg-length1", 0.0, kSearchCap, "mm", true},
    OptionRange{"leg-length2", 0.0, kSearchCap, "mm", true},
    OptionRange{"coil-spacing", 0.0, kSearchCap, "mm", true},
    OptionRange{"arbor-diameter", 0.0, kSearchCap, "mm"},
    OptionRange{"working-torque1", 0.0, kSearchCap, "N·mm", true},
    OptionRange{"working-torque2", 0.0, kSearchCap, "N·mm", true},
    OptionRange{"working-torque3", 0.0, kSearchCap, "N·mm", true},
    OptionRange{"working-angle1", 0.0, 36000.0, "°", true},
    OptionRange{"working-angle2", 0.0, 36000.0, "°", true},
    OptionRange{"working-angle3", 0.0, 36000.0, "°", true},
    // The search's requirements.
    OptionRange{"load1", 0.0, kSearchCap, "N", true},
    OptionRange{"load2", 0.0, kSearchCap, "N", true},
    OptionRange{"load3", 0.0, kSearchCap, "N", true},
    OptionRange{"height1", 0.0, kSearchCap, "mm"},
    OptionRange{"height2", 0.0, kSearchCap, "mm"},
    OptionRange{"height3", 0.0, kSearchCap, "mm"},
    OptionRange{"shear-modulus", 0.0, kSearchCap, "MPa"},
    OptionRange{"allowable-shear-stress", 0.0, kSearchCap, "MPa"},
    OptionRange{"max-outer-diameter", 0.0, kSearchCap, "mm"},
    OptionRange{"min-inner-diameter", 0.0, kSearchCap, "mm"},
    OptionRange{"max-free-height", 0.0, kSearchCap, "mm"},
    OptionRange{"max-solid-height", 0.0, kSearchCap, "mm"},
    OptionRange{"pitch", 0.0, kSearchCap, "mm"},
    // Each number of the search's lists: an index above 1 (at 1 the curvature
    // factor divides by zero), a count of coils, a tolerance each way.
    OptionRange{"index-range", 1.0, 100.0, ""},
    OptionRange{"active-coils-range", 0.0, 1000.0, ""},
    OptionRange{"tolerance", -100.0, 100.0, "%", true},
};

std::string Number(double value) {
    return fmt::format("{}", value);
}

} // namespace

const OptionRange *FindOptionRange(std::string_view name) {
    for (const OptionRange &range : kRanges) {
        if (name == range.name) {
            return &range;
        }
    }
    return nullptr;
}

std::string OutOfRangeMessage(const OptionRange &range) {
    std::string message = std::string("--") + range.name + ": 请输入" +
                          (range.lowestIncluded ? "不小于 " : "大于 ") + Number(range.lowest) +
                          " 且不大于 " + Number(range.highest) + " 的数值";
    if (*range.unit != '\0') {
        message += std::string(" (") + range.unit + ")";
    }
    return message;
}

std::optional<double> RangedNumber(const OptionRange &range, std::string_view text,
                                   std::string &error) {
    double value = 0.0;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = fast_float::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || text.empty() || std::isnan(value)) {
        error = std::string("--") + range.name + ": " + kNotNumericMessage;
        return std::nullopt;
    }
    const bool aboveLowest = range.lowestIncluded ? value >= range.lowest : value > range.lowest;
    if (!aboveLowest || !(value <= range.highest)) {
        error = OutOfRangeMessage(range);
        return std::nullopt;
    }
    return value;
}
