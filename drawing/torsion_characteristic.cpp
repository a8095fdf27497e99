#include "torsion_characteristic.h"

#include "finite_or_zero.h"
#include "sheet_parts.h"

#include <algorithm>
#include <cmath>
#include <string>

namespace {

// Inside the box: room on the left for the torque axis' caption, below for
// the angles' names, above for the torque axis' name.
constexpr double kAxisLeft = 14.0;
constexpr double kAxisBelow = 9.0;
constexpr double kAxisAbove = 8.0;
constexpr double kAxisRight = 12.0;
constexpr double kText = 3.5;

} // namespace

void AddTorsionCharacteristic(Drawing &drawing, const TorsionSpring &spring, double left,
                              double bottom) {
    const double unit = 1.0 / drawing.scale;
    const auto line = [&](double x0, double y0, double x1, double y1, Layer layer) {
        drawing.lines.push_back(
            {OnSheet(drawing, x0, y0), OnSheet(drawing, x1, y1), layer, Part::Characteristic});
    };
    const auto text = [&](double x, double y, const std::string &content, TextAlign align) {
        drawing.texts.push_back({OnSheet(drawing, x, y), content, kText * unit, align, 0.0,
                                 Layer::Text, Part::Characteristic});
    };
    const double x0 = left + kAxisLeft;
    const double y0 = bottom + kAxisBelow;
    const double width = kTorsionCharacteristicWidth - kAxisLeft - kAxisRight;
    const double height = kTorsionCharacteristicHeight - kAxisBelow - kAxisAbove;
    line(x0, y0, x0 + width + 4.0, y0, Layer::Thin);
    line(x0, y0, x0, y0 + height + 4.0, Layer::Thin);
    text(x0 + width + 5.0, y0 - 1.2, "φ", TextAlign::Left);
    text(x0, y0 + height + 5.0, "T", TextAlign::Centre);

    // The line runs on a little past the largest working point.
    const double angle = FiniteOrZero(spring.largestAngle);
    const double torque = FiniteOrZero(spring.largestTorque);
    if (!(angle > 0.0) || !(torque > 0.0)) {
        return;
    }
    const double xPer = width / (angle * 1.1);
    const double yPer = height / (torque * 1.1);
    line(x0, y0, x0 + width, y0 + height, Layer::Thick);
    for (std::size_t i = 0; i < spring.angles.size(); ++i) {
        if (!spring.angles[i] || !spring.torques[i]) {
            continue;
        }
        const double x = x0 + FiniteOrZero(*spring.angles[i]) * xPer;
        const double y = y0 + FiniteOrZero(*spring.torques[i]) * yPer;
        const std::string k = std::to_string(i + 1);
        line(x, y0, x, y, Layer::Thin);
        line(x0, y, x, y, Layer::Thin);
        text(x, y0 - 5.0, "φ" + k, TextAlign::Centre);
        text(x0 - 1.5, y - 1.2, "T" + k, TextAlign::Right);
    }
}
