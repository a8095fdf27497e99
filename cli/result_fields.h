#pragma once

#include "spring_design.h"

#include <string>
#include <vector>

// The sixteen results in the order the window writes them back, with the
// pattern each is shown in and its caption and unit in the window.
struct ShownResult {
    const char *designField;
    const char *caption;
    const char *unit;
    std::string text;
};

std::vector<ShownResult> ShownResults(const SpringDesign &design);
