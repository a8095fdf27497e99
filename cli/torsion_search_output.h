#pragma once

#include "torsion_search.h"

#include <iosfwd>

// The torsion search's answer in the chosen format: the designs best first,
// each with its checks and the command that gives it again.
void WriteTorsionSearchOutcome(const TorsionSearchOutcome &outcome,
                               const TorsionSearchRequest &request, std::ostream &out);

// "判定 N 个, 合格 Q 个" and, with none qualified, why.
std::string TorsionSearchSummary(const TorsionSearchOutcome &outcome);
