// The numeric test and the conversion of a field text must agree: a text that
// passes converts to a finite float, and the field check never contradicts it.
#include "field_check.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    for (std::string_view separator : {".", ",", "\xD9\xAB"}) {
        const NumericText parsed = ParseNumericText(text, separator);
        if (parsed.status == NumericTextStatus::Ok) {
            FUZZ_CHECK(std::isfinite(parsed.value));
        } else {
            FUZZ_CHECK(parsed.value == 0.0F);
        }
        for (const NumericField &field : NumericFields()) {
            const FieldCheck check = CheckFieldText(field, text, separator);
            FUZZ_CHECK((check.verdict == FieldVerdict::NotNumeric) ==
                       (parsed.status == NumericTextStatus::NotNumeric));
            FUZZ_CHECK(check.message.empty() == (check.verdict == FieldVerdict::Accepted));
            if (check.verdict == FieldVerdict::Accepted) {
                FUZZ_CHECK(check.value == parsed.value);
                FUZZ_CHECK(field.rule == RangeRule::RefuseBelowZero ? !(check.value < 0.0F)
                                                                    : check.value > 0.0F);
            }
        }
    }
    return 0;
}
