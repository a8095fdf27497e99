#pragma once

#include "check_request.h"
#include "material_request.h"
#include "numeric_fields.h"
#include "torsion_request.h"

#include <array>
#include <optional>
#include <string>

// One design as the command line, a row of a design table or a design file
// asks for it: the texts as typed, checked only when the design is judged,
// so that every front end goes through the same checks.
struct DesignRequest {
    DesignRequest();

    std::string material = kDesignedMaterial;
    std::array<std::string, kNumericFields.size()> numericTexts; // parallel to kNumericFields
    std::array<bool, kNumericFields.size()> numericGiven{};      // typed, not the designed text
    bool extension = false;
    bool knownLoads = false;
    MaterialRequest materials;
    CheckRequest checks;
    TorsionRequest torsion;

    bool operator==(const DesignRequest &) const = default;
};

// The index of a numeric field in kNumericFields by its design field name.
std::size_t NumericFieldIndex(std::string_view designField);
