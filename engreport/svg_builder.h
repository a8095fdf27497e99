#pragma once

#include "chart_frame.h"

#include <string>
#include <string_view>
#include <vector>

// Builds one inline SVG element. Every text is escaped; numbers are written
// with two decimals whatever the locale. No element refers to anything
// outside the picture.
class SvgBuilder {
  public:
    SvgBuilder(double width, double height, std::string_view label);

    void line(ChartPoint from, ChartPoint to, std::string_view cssClass);
    void polyline(const std::vector<ChartPoint> &points, std::string_view cssClass);
    void circle(ChartPoint centre, double radius, std::string_view cssClass);
    void rect(double x, double y, double width, double height, std::string_view cssClass);
    // anchor: "start", "middle" or "end".
    void text(ChartPoint at, std::string_view content, std::string_view cssClass,
              std::string_view anchor = "start");
    // A dimension line between two points with arrowheads at both ends.
    void dimension(ChartPoint from, ChartPoint to);

    std::string finish();

  private:
    std::string out_;
};

std::string SvgNumber(double value);
