#include "design_request.h"

#include <stdexcept>

DesignRequest::DesignRequest() {
    for (std::size_t i = 0; i < kNumericFields.size(); ++i) {
        numericTexts[i] = kNumericFields[i].defaultText;
    }
}

std::size_t NumericFieldIndex(std::string_view designField) {
    for (std::size_t i = 0; i < kNumericFields.size(); ++i) {
        if (designField == kNumericFields[i].designField) {
            return i;
        }
    }
    throw std::logic_error("no numeric field " + std::string(designField));
}
