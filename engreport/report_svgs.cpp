#include "report_svgs.h"

#include "fatigue_chart.h"
#include "load_deflection_chart.h"
#include "number_format.h"
#include "svg_builder.h"

#include <algorithm>
#include <cmath>

namespace {

// Labels of values the design record never holds (a stress range given by
// hand, a value beyond the float range) read "—" rather than "nan" or "inf".
bool Printable(double value) {
    return std::isfinite(value) && std::fabs(value) <= 3.4028234663852886e38;
}
std::string Load(double value) {
    return Printable(value) ? FormatThreeDecimals(static_cast<float>(value)) : "—";
}
std::string Height(double value) {
    return Printable(value) ? FormatOneDecimal(static_cast<float>(value)) : "—";
}

// Grid, frame and tick labels of a chart whose axes are already mapped.
void DrawAxes(SvgBuilder &svg, const ChartAxis &horizontal, const LinearMap &x,
              const ChartAxis &vertical, const LinearMap &y) {
    const double left = std::min(x(horizontal.lo), x(horizontal.hi));
    const double right = std::max(x(horizontal.lo), x(horizontal.hi));
    const double top = std::min(y(vertical.lo), y(vertical.hi));
    const double bottom = std::max(y(vertical.lo), y(vertical.hi));
    for (const double tick : horizontal.ticks) {
        svg.line({x(tick), top}, {x(tick), bottom}, "grid");
        svg.text({x(tick), bottom + 11.0}, TickLabel(tick, horizontal.step), "tick", "middle");
    }
    for (const double tick : vertical.ticks) {
        svg.line({left, y(tick)}, {right, y(tick)}, "grid");
        svg.text({left - 4.0, y(tick) + 3.0}, TickLabel(tick, vertical.step), "tick", "end");
    }
    svg.rect(left, top, right - left, bottom - top, "axis");
}

// A working point's two-line label, placed off the rising line: below right
// in the left half of the chart, above left in the right half.
void LabelPoint(SvgBuilder &svg, ChartPoint at, double middleX, const std::string &first,
                const std::string &second) {
    const bool leftHalf = at.x < middleX;
    const double x = leftHalf ? at.x + 5.0 : at.x - 5.0;
    const double y = leftHalf ? at.y + 11.0 : at.y - 14.0;
    const char *anchor = leftHalf ? "start" : "end";
    svg.text({x, y}, first, "label", anchor);
    svg.text({x, y + 9.0}, second, "label", anchor);
}

} // namespace

std::string LoadDeflectionSvg(const SpringDesign &design, SpringTypeSign typeSign) {
    const ChartFrame frame{44.0, 24.0, 240.0, 116.0};
    const LoadDeflectionChart chart = MapLoadDeflection(design, typeSign, frame);
    SvgBuilder svg(300.0, 170.0, "载荷-变形图");
    DrawAxes(svg, chart.heightAxis, chart.x, chart.loadAxis, chart.y);
    svg.text({frame.left + frame.width / 2.0, frame.bottom() + 25.0}, "高度 H / mm", "title",
             "middle");
    svg.text({4.0, 12.0}, "载荷 F / N", "title");

    const auto markHeight = [&](const LoadPoint &point, const char *name, bool labelLeft) {
        svg.line({point.at.x, frame.top}, {point.at.x, frame.bottom()}, "mark");
        svg.text({point.at.x + (labelLeft ? -3.0 : 3.0), frame.top - 4.0},
                 std::string(name) + " " + Height(point.height), "label",
                 labelLeft ? "end" : "start");
    };
    markHeight(chart.free, "H0", false);
    if (chart.solid) {
        markHeight(*chart.solid, "Hb", true);
    }
    svg.line(chart.lineStart.at, chart.lineEnd.at, "spring");
    const double middleX = frame.left + frame.width / 2.0;
    if (typeSign != kCompressionSpring) {
        svg.circle(chart.lineStart.at, 2.5, "start");
        LabelPoint(svg, chart.lineStart.at, middleX, "F0 " + Load(chart.lineStart.load), "");
    }
    for (std::size_t i = 0; i < chart.working.size(); ++i) {
        const LoadPoint &point = chart.working[i];
        const std::string index = std::to_string(i + 1);
        svg.circle(point.at, 2.8, "point");
        LabelPoint(svg, point.at, middleX, "H" + index + " " + Height(point.height),
                   "F" + index + " " + Load(point.load));
    }
    return svg.finish();
}

std::string FatigueSvg(const FatigueDiagram &diagram) {
    const ChartFrame frame{44.0, 12.0, 128.0, 128.0};
    const FatigueChart chart = MapFatigue(diagram, frame);
    SvgBuilder svg(300.0, 170.0, "疲劳强度图");
    DrawAxes(svg, chart.axis, chart.x, chart.axis, chart.y);
    svg.text({frame.left + frame.width / 2.0, frame.bottom() + 25.0}, "τmin / MPa", "title",
             "middle");
    svg.text({4.0, 8.0}, "τmax / MPa", "title");

    svg.line({chart.x(chart.axis.lo), chart.y(chart.axis.lo)},
             {chart.x(chart.axis.hi), chart.y(chart.axis.hi)}, "mark");
    if (chart.limitLine.size() >= 2) {
        svg.polyline(chart.limitLine, "limit");
    }
    svg.line(chart.rangeBottom, chart.working, "range");
    svg.circle(chart.working, 2.8, "point");
    if (chart.permissible) {
        svg.circle(*chart.permissible, 2.8, "open");
    }

    // The legend beside the square plot.
    const double x = 186.0;
    svg.line({x, 24.0}, {x + 16.0, 24.0}, "limit");
    svg.text({x + 20.0, 27.0}, "许用极限线", "label");
    svg.line({x, 40.0}, {x + 16.0, 40.0}, "mark");
    svg.text({x + 20.0, 43.0}, "τmax = τmin", "label");
    svg.line({x + 8.0, 50.0}, {x + 8.0, 62.0}, "range");
    svg.circle({x + 8.0, 50.0}, 2.8, "point");
    svg.text({x + 20.0, 59.0}, "工作应力范围", "label");
    svg.text({x, 80.0}, "τmin " + Load(diagram.working.tauMin) + " MPa", "label");
    svg.text({x, 90.0}, "τmax " + Load(diagram.working.tauMax) + " MPa", "label");
    if (chart.permissibleAtWorking) {
        svg.circle({x + 3.0, 104.0}, 2.8, "open");
        svg.text({x + 10.0, 107.0}, "许用 " + Load(*chart.permissibleAtWorking) + " MPa", "label");
    }
    if (diagram.tensileStrength > 0.0) {
        svg.text({x, 124.0},
                 "Rm " + FormatOneDecimal(static_cast<float>(diagram.tensileStrength)) + " MPa",
                 "label");
    }
    return svg.finish();
}

std::string TorqueAngleSvg(const TorsionSpring &spring) {
    const ChartFrame frame{44.0, 24.0, 240.0, 116.0};
    const double largestAngle = Printable(spring.largestAngle) ? spring.largestAngle : 0.0;
    const double largestTorque = Printable(spring.largestTorque) ? spring.largestTorque : 0.0;
    const ChartAxis angleAxis = RoundAxis(0.0, largestAngle * 1.1);
    const ChartAxis torqueAxis = RoundAxis(0.0, largestTorque * 1.1);
    const LinearMap x = MapAxis(angleAxis, frame.left, frame.right());
    const LinearMap y = MapAxis(torqueAxis, frame.bottom(), frame.top);
    SvgBuilder svg(300.0, 170.0, "扭矩-扭转角图");
    DrawAxes(svg, angleAxis, x, torqueAxis, y);
    svg.text({frame.left + frame.width / 2.0, frame.bottom() + 25.0}, "扭转角 φ / °", "title",
             "middle");
    svg.text({4.0, 12.0}, "扭矩 T / N·mm", "title");
    // The line from the origin as far as the axes reach at the spring's rate.
    const double rate = largestAngle > 0.0 ? largestTorque / largestAngle : 0.0;
    const double endAngle = rate > 0.0 ? std::min(angleAxis.hi, torqueAxis.hi / rate) : 0.0;
    svg.line({x(0.0), y(0.0)}, {x(endAngle), y(endAngle * rate)}, "spring");
    const double middleX = frame.left + frame.width / 2.0;
    for (std::size_t i = 0; i < spring.angles.size(); ++i) {
        if (!spring.angles[i] || !spring.torques[i]) {
            continue;
        }
        const ChartPoint at{x(*spring.angles[i]), y(*spring.torques[i])};
        const std::string index = std::to_string(i + 1);
        svg.circle(at, 2.8, "point");
        LabelPoint(svg, at, middleX, "φ" + index + " " + Height(*spring.angles[i]) + "°",
                   "T" + index + " " + Height(*spring.torques[i]) + " N·mm");
    }
    return svg.finish();
}
