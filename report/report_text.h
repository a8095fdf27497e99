#pragma once

#include "spring_design.h"

#include <string>
#include <string_view>

// What a report prints: the design of the last completed calculation with
// the spring type it was calculated as, and the date the program started.
// The window keeps this copy when a calculation completes, so a Save after a
// stopped attempt or a type switch still reports one consistent calculation.
struct ReportInput {
    SpringDesign design;
    SpringTypeSign typeSign = kCompressionSpring;
    std::string typeName = "压缩弹簧"; // "压缩弹簧" or "拉伸弹簧"
    std::string reportDate;            // "yyyy年mm月dd日"
};

// "压缩弹簧" for a compression spring, "拉伸弹簧" for an extension spring.
const char *SpringTypeNameFor(SpringTypeSign typeSign);

// The whole report as UTF-8 text, every line ended by CR LF.
std::string BuildReportText(const ReportInput &input, std::string_view decimalSeparator = ".");
