#pragma once

#include "check_result.h"

#include <string>
#include <vector>

// One line per input the checks lacked, saying which option gives it
// ("提示: 疲劳强度要用载荷循环次数, 可用 --load-cycles=N 给出"): for the
// command line's stderr and the page's hints, so that the check texts stay
// free of option names.
std::vector<std::string> CheckHints(const CheckResults &results);
