#pragma once

#include "design_request.h"
#include "spring_design.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

// --from-material: G and [tau] of a design from its grade's entry, each only
// where the user did not give it; [tau] for the design's wire diameter, the
// spring kind and the load type.
struct MaterialFill {
    std::vector<std::pair<std::string, double>> inputs; // field name, value put into the design
    std::vector<std::string> notes;                     // what came from the table, in Chinese
    std::optional<std::string> error;                   // why the design is refused
};

// Fills `design` (its inputs already stored and accepted).
MaterialFill FillFromMaterial(const DesignRequest &request, SpringDesign &design,
                              SpringTypeSign typeSign);
