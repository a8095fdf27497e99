#pragma once

#include "check_result.h"
#include "spring_design.h"

#include <optional>
#include <string>
#include <vector>

// The technical-requirements block a spring drawing carries, one plain-text
// line per item, ready to copy onto the drawing. The design standards named
// are those the checks followed.
std::vector<std::string> TechnicalRequirements(const SpringDesign &design, SpringTypeSign typeSign,
                                               const std::optional<CheckResults> &checks);
