// Any inputs, either type, either mode: the run completes, stops at one
// warning, or raises a calculation error, and no infinity or NaN ever
// reaches the design.
#include "calculate_spring.h"
#include "calculation_error.h"
#include "field_check.h"
#include "fuzz_check.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>

namespace {

class CountingListener : public CalculationListener {
  public:
    int warnings = 0;
    int coilNotices = 0;
    void warning(DesignWarning, const std::string &) override { ++warnings; }
    void totalCoilsReplaced(float) override { ++coilNotices; }
};

bool AllFinite(const SpringDesign &s) {
    for (float v : {s.HelixAngle,       s.WireDiameter,   s.MeanDiameter,        s.SpringIndex,
                    s.CurvatureFactor,  s.ShearModulus,   s.SpringRate,          s.ActiveCoils,
                    s.TotalCoils,       s.Pitch,          s.DevelopedLength,     s.FreeHeight,
                    s.SolidHeight,      s.WorkingHeight1, s.WorkingHeight2,      s.WorkingHeight3,
                    s.WorkingLoad1,     s.WorkingLoad2,   s.WorkingLoad3,        s.InitialTension,
                    s.SlendernessRatio, s.MaxShearStress, s.AllowableShearStress}) {
        if (!std::isfinite(v)) {
            return false;
        }
    }
    return true;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    constexpr std::size_t kInputs = 15;
    if (size < 1 + kInputs * sizeof(float)) {
        return 0;
    }
    float in[kInputs];
    std::memcpy(in, data + 1, sizeof in);
    for (float v : in) {
        if (!std::isfinite(v)) {
            return 0; // the field checks never let these through
        }
    }
    SpringDesign s;
    for (std::size_t i = 0; i < kInputs; ++i) {
        s.*NumericFields()[i].quantity = in[i];
    }
    const SpringTypeSign type = (data[0] & 1) != 0 ? kExtensionSpring : kCompressionSpring;
    const WorkingPointMode mode =
        (data[0] & 2) != 0 ? WorkingPointMode::KnownLoads : WorkingPointMode::KnownHeights;
    CountingListener listener;
    try {
        const CalculationOutcome outcome = CalculateSpring(s, type, mode, listener);
        FUZZ_CHECK(listener.warnings <= 1);
        FUZZ_CHECK(listener.warnings == (outcome.stoppedBy.has_value() ? 1 : 0) +
                                            (outcome.stressAboveAllowable ? 1 : 0));
        if (!outcome.stoppedBy && type == kExtensionSpring) {
            FUZZ_CHECK(s.TotalCoils == s.ActiveCoils && s.SolidHeight == 0.0F &&
                       s.SlendernessRatio == 0.0F);
        }
    } catch (const CalculationError &error) {
        // a fault ends the run; the record must still be clean, and the
        // message names the quantity being computed
        FUZZ_CHECK(error.step() != CalculationStep::Unknown);
    }
    FUZZ_CHECK(listener.coilNotices <= 1);
    FUZZ_CHECK(AllFinite(s));
    return 0;
}
