#pragma once

#include "design_request.h"
#include "design_search.h"

#include <optional>
#include <string>

// The single design's request that gives a design the search found: the
// options of its reproducing command, stored as the command line would.
DesignRequest SearchDesignRequest(const EvaluatedDesign &design, const SearchRequest &request,
                                  const std::optional<std::string> &materialsFile);
