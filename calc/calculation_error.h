#pragma once

#include <stdexcept>
#include <string>

// A floating-point fault of the calculation. The run is abandoned at once;
// nothing infinite or undefined is ever stored in the design.
enum class CalculationErrorKind {
    DivisionByZero, // a non-zero value divided by zero
    Overflow,       // 0/0, or a result too large for the precision it is held in
};

// The quantity the run was computing when the fault arose.
enum class CalculationStep {
    Unknown,
    ExtensionFreeHeight,
    TotalCoilsLimits,
    SpringIndex,
    CurvatureFactor,
    SpringRate,
    WorkingLoads,
    WorkingHeights,
    Pitch,
    SlendernessRatio,
    SolidHeight,
    DevelopedLength,
    MaxShearStress,
    HelixAngle,
};

class CalculationError : public std::runtime_error {
  public:
    // cause: what made the step fail, in the user's words ("弹簧中径等于材料
    // 直径"); nullptr where the step cannot tell more than the kind.
    // undefined: the step divided zero by zero (an overflow by the numeric
    // rules, however the cause reads).
    explicit CalculationError(CalculationErrorKind kind, const char *cause = nullptr,
                              CalculationStep step = CalculationStep::Unknown,
                              bool undefined = false);
    CalculationErrorKind kind() const noexcept { return kind_; }
    const char *cause() const noexcept { return cause_; }
    CalculationStep step() const noexcept { return step_; }
    bool undefined() const noexcept { return undefined_; }
    // The same fault, placed in the step that was running.
    CalculationError atStep(CalculationStep step) const;

  private:
    CalculationErrorKind kind_;
    const char *cause_;
    CalculationStep step_;
    bool undefined_;
};

// The Chinese name of the fault as the program shows it ("除数为零", "溢出").
const char *CalculationErrorName(CalculationErrorKind kind);

// The quantity's name as the window and the report show it ("曲度系数").
const char *CalculationStepName(CalculationStep step);

// The quantity, the cause and the kind, so that the words never contradict
// the kind: "曲度系数: 弹簧中径等于材料直径 (除数为零)", "工作高度: 刚度为零,
// 被除数也为零, 0/0 无定义 (溢出)", "旋绕比: 结果超出单精度数值范围 (溢出)".
std::string CalculationErrorMessage(const CalculationError &error);
