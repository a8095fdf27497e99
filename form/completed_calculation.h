#pragma once

#include "spring_design.h"

#include <string>

// A copy of the design as the last completed calculation left it, with the
// spring type it was calculated as. The report prints this copy, so a later
// stopped or failed attempt cannot put half-computed values into it.
struct CompletedCalculation {
    SpringDesign design;
    SpringTypeSign typeSign = kCompressionSpring;
    std::string typeName; // "压缩弹簧" or "拉伸弹簧"
};
