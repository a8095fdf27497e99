#pragma once

#include "check_request.h"
#include "drawing_input.h"
#include "material_request.h"
#include "numeric_fields.h"

#include <array>
#include <optional>
#include <string>

enum class OutputFormat { Text, Tsv, Json };

// One design as the command line or a row of a design table asks for it:
// the texts as typed, checked only when the design is judged, so that a
// single design and a table row go through the same checks.
struct DesignRequest {
    DesignRequest();

    std::string material = kDesignedMaterial;
    std::array<std::string, kNumericFields.size()> numericTexts; // parallel to kNumericFields
    std::array<bool, kNumericFields.size()> numericGiven{};      // typed, not the designed text
    bool extension = false;
    bool knownLoads = false;
    MaterialRequest materials;
    CheckRequest checks;

    // Only the single design prints and saves.
    OutputFormat format = OutputFormat::Text;
    std::optional<std::string> reportPath;
    std::optional<std::string> htmlReportPath; // the engineering report
    std::optional<std::string> drawingPath;    // the working drawing, .dxf or .svg
    DrawingDetails drawing; // its title block and requirements (also the report's)
};

// The index of a numeric field in kNumericFields by its design field name.
std::size_t NumericFieldIndex(std::string_view designField);
