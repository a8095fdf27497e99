#include "svg_builder.h"

#include "html_text.h"

#include <fmt/format.h>

#include <array>
#include <cmath>

std::string SvgNumber(double value) {
    if (!std::isfinite(value)) {
        value = 0.0;
    }
    // {fmt} rounds exactly, as to_chars does; the page's library has no
    // floating-point to_chars.
    std::string text = fmt::format("{:.2f}", value);
    return text == "-0.00" ? "0.00" : text;
}

namespace {

std::string Attribute(std::string_view name, double value) {
    return " " + std::string(name) + "=\"" + SvgNumber(value) + "\"";
}

std::string ClassAttribute(std::string_view cssClass) {
    return cssClass.empty() ? std::string() : " class=\"" + EscapeHtml(cssClass) + "\"";
}

} // namespace

SvgBuilder::SvgBuilder(double width, double height, std::string_view label) {
    out_ = "<svg viewBox=\"0 0 " + SvgNumber(width) + " " + SvgNumber(height) +
           "\" role=\"img\" aria-label=\"" + EscapeHtml(label) + "\">\n";
}

void SvgBuilder::line(ChartPoint from, ChartPoint to, std::string_view cssClass) {
    out_ += "<line" + Attribute("x1", from.x) + Attribute("y1", from.y) + Attribute("x2", to.x) +
            Attribute("y2", to.y) + ClassAttribute(cssClass) + "/>\n";
}

void SvgBuilder::polyline(const std::vector<ChartPoint> &points, std::string_view cssClass) {
    out_ += "<polyline points=\"";
    for (std::size_t i = 0; i < points.size(); ++i) {
        out_ += (i == 0 ? "" : " ") + SvgNumber(points[i].x) + "," + SvgNumber(points[i].y);
    }
    out_ += "\"" + ClassAttribute(cssClass) + "/>\n";
}

void SvgBuilder::circle(ChartPoint centre, double radius, std::string_view cssClass) {
    out_ += "<circle" + Attribute("cx", centre.x) + Attribute("cy", centre.y) +
            Attribute("r", radius) + ClassAttribute(cssClass) + "/>\n";
}

void SvgBuilder::rect(double x, double y, double width, double height, std::string_view cssClass) {
    out_ += "<rect" + Attribute("x", x) + Attribute("y", y) + Attribute("width", width) +
            Attribute("height", height) + ClassAttribute(cssClass) + "/>\n";
}

void SvgBuilder::text(ChartPoint at, std::string_view content, std::string_view cssClass,
                      std::string_view anchor) {
    out_ += "<text" + Attribute("x", at.x) + Attribute("y", at.y) + " text-anchor=\"" +
            EscapeHtml(anchor) + "\"" + ClassAttribute(cssClass) + ">" + EscapeHtml(content) +
            "</text>\n";
}

void SvgBuilder::dimension(ChartPoint from, ChartPoint to) {
    line(from, to, "dim");
    const double dx = to.x - from.x;
    const double dy = to.y - from.y;
    const double length = std::hypot(dx, dy);
    if (length == 0.0) {
        return;
    }
    // Closed arrowheads drawn as small triangles, 3 units long.
    const double ux = dx / length;
    const double uy = dy / length;
    const double size = 3.0;
    for (const auto &[tip, sign] : {std::pair{from, 1.0}, std::pair{to, -1.0}}) {
        const ChartPoint back{tip.x + sign * ux * size, tip.y + sign * uy * size};
        polyline({tip,
                  {back.x - uy * size / 3.0, back.y + ux * size / 3.0},
                  {back.x + uy * size / 3.0, back.y - ux * size / 3.0},
                  tip},
                 "arrow");
    }
}

std::string SvgBuilder::finish() {
    return out_ + "</svg>\n";
}
