#pragma once

#include "spring_design.h"

#include <optional>
#include <string>

// The design warnings of a run, in the order a run can raise them.
enum class DesignWarning {
    TotalCoilsOutOfRange,
    PitchBelowWireDiameter,
    CompressionHeightAboveFree,
    SpringGoesSolid,
    ExtensionHeightBelowFree,
    StressAboveAllowable, // the only one that lets the run go on
};

// The exact message of a warning; lines are joined by CR LF.
const std::string &DesignWarningText(DesignWarning warning);

// What the run tells its caller while it goes. Both calls arrive at their
// point in the sequence; the run goes on only when warning() has returned.
class CalculationListener {
  public:
    virtual ~CalculationListener() = default;
    virtual void warning(DesignWarning which, const std::string &text) = 0;
    // Extension spring only: TotalCoils has just been replaced by the
    // active coil count.
    virtual void totalCoilsReplaced(float totalCoils) = 0;
};

// The run completed when no warning stopped it.
struct CalculationOutcome {
    std::optional<DesignWarning> stoppedBy; // set when a warning stopped the run
    bool stressAboveAllowable = false;      // the stress warning was raised
};

// Runs the whole calculation over a design whose inputs have just been
// stored. Throws CalculationError on a floating-point fault, naming the
// step where it arose.
CalculationOutcome CalculateSpring(SpringDesign &design, SpringTypeSign typeSign,
                                   WorkingPointMode mode, CalculationListener &listener);
