#pragma once

#include "torsion_search.h"

#include <nlohmann/json.hpp>

// The torsion search's whole answer as one object: the required rate, the
// counts and the designs best first, each with its deviation, the arguments
// and command that give it again, and its judged outcome.
nlohmann::ordered_json TorsionSearchOutcomeJson(const TorsionSearchOutcome &outcome,
                                                const TorsionSearchRequest &request);
