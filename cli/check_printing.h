#pragma once

#include "check_result.h"

#include <iosfwd>
#include <string>
#include <vector>

// The text section "校核" and the tsv lines "Check.<id> TAB value TAB limit TAB verdict".
void WriteChecksText(const CheckResults &results, std::ostream &out);
void WriteChecksTsv(const CheckResults &results, std::ostream &out);

// The closing note of the text output: the checks a given Rm made applicable.
void WriteGivenRmNote(const std::vector<std::string> &applicableWithGivenRm, std::ostream &out);

// One line per input the checks lacked, saying which option gives it; for
// stderr, so that the check texts stay free of option names.
void WriteCheckHints(const CheckResults &results, std::ostream &err);
