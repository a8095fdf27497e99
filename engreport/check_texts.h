#pragma once

#include "check_result.h"

#include <string>

// The verdict as a symbol and a word, so that it reads in black-and-white
// print: "○ 合格", "△ 注意", "× 不合格", "— 不适用".
const char *CheckVerdictText(CheckVerdict verdict);

// A check's value or limit with its unit; "—" when there is none.
std::string CheckQuantityText(const std::optional<double> &quantity, const std::string &unit);
