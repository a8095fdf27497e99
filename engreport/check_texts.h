#pragma once

#include "check_result.h"

#include <string>

// The Chinese name of a check by its id; an unknown id is shown as it is.
std::string CheckTitle(const std::string &id);

// The verdict as a symbol and a word, so that it reads in black-and-white
// print: "○ 合格", "△ 注意", "× 不合格", "— 不适用".
const char *CheckVerdictText(CheckVerdict verdict);

// A check's value or limit with its unit; "—" when there is none.
std::string CheckQuantityText(const std::optional<double> &quantity, const std::string &unit);
