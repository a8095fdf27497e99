// Every text the patterns and the general form produce reads back as a
// number within half a unit of its last shown digit.
#include "field_check.h"
#include "fuzz_check.h"
#include "number_format.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

namespace {

void CheckReadsBack(const std::string &text, float value, double halfUnit) {
    const NumericText parsed = ParseNumericText(text);
    FUZZ_CHECK(parsed.status == NumericTextStatus::Ok);
    // The text is rounded from the shortest form, which is itself within half
    // a float ulp of the value; allow both.
    const double ulp = std::fabs(std::nextafter(value, INFINITY) - double{value});
    FUZZ_CHECK(std::fabs(double{parsed.value} - value) <= halfUnit + ulp);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    if (size < sizeof(float)) {
        return 0;
    }
    float value = 0.0F;
    std::memcpy(&value, data, sizeof value);
    if (!std::isfinite(value)) {
        return 0;
    }
    const std::string one = FormatOneDecimal(value);
    const std::string three = FormatThreeDecimals(value);
    FUZZ_CHECK(one.find('.') == one.size() - 2);
    FUZZ_CHECK(three.find('.') == three.size() - 4);
    CheckReadsBack(one, value, 0.05);
    CheckReadsBack(three, value, 0.0005);
    const std::string general = FormatGeneral(value);
    const double seventhDigit =
        value == 0.0F ? 0.0 : std::pow(10.0, std::floor(std::log10(std::fabs(double{value}))) - 6);
    CheckReadsBack(general, value, seventhDigit * 0.5 + seventhDigit * 1e-9);
    const std::string report = FormatGeneralForReport(value);
    FUZZ_CHECK(report.size() >= 3 && report.back() == ' ' &&
               (report[0] == ' ' || report[0] == '-'));
    return 0;
}
