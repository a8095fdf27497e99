#pragma once

#include "check_result.h"

#include <iosfwd>

// The text section "校核" and the tsv lines "Check.<id> TAB value TAB limit TAB verdict".
void WriteChecksText(const CheckResults &results, std::ostream &out);
void WriteChecksTsv(const CheckResults &results, std::ostream &out);
