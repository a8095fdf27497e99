#pragma once

#include "design_request.h"
#include "design_search.h"

#include <optional>
#include <string>
#include <vector>

// Stores "--name=value" arguments into a request as the command line would;
// the first refusal, in Chinese, naming the option.
std::optional<std::string> StoreArguments(const std::vector<std::string> &arguments,
                                          DesignRequest &request);

// The single design's request that gives a design the search found: the
// options of its reproducing command, stored as the command line would.
DesignRequest SearchDesignRequest(const EvaluatedDesign &design, const SearchRequest &request,
                                  const std::optional<std::string> &materialsFile);
