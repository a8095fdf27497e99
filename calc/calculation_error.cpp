#include "calculation_error.h"

CalculationError::CalculationError(CalculationErrorKind kind, const char *cause,
                                   CalculationStep step, bool undefined)
    : std::runtime_error(CalculationErrorName(kind)), kind_(kind), cause_(cause), step_(step),
      undefined_(undefined) {}

CalculationError CalculationError::atStep(CalculationStep step) const {
    return CalculationError(kind_, cause_, step_ == CalculationStep::Unknown ? step : step_,
                            undefined_);
}

const char *CalculationErrorName(CalculationErrorKind kind) {
    switch (kind) {
    case CalculationErrorKind::DivisionByZero:
        return "除数为零";
    case CalculationErrorKind::Overflow:
        return "溢出";
    }
    return "溢出";
}

const char *CalculationStepName(CalculationStep step) {
    switch (step) {
    case CalculationStep::Unknown:
        return "计算";
    case CalculationStep::ExtensionFreeHeight:
        return "拉伸弹簧自由高度";
    case CalculationStep::TotalCoilsLimits:
        return "总圈数";
    case CalculationStep::SpringIndex:
        return "旋绕比";
    case CalculationStep::CurvatureFactor:
        return "曲度系数";
    case CalculationStep::SpringRate:
        return "刚度";
    case CalculationStep::WorkingLoads:
        return "工作载荷";
    case CalculationStep::WorkingHeights:
        return "工作高度";
    case CalculationStep::Pitch:
        return "节距";
    case CalculationStep::SlendernessRatio:
        return "高径比";
    case CalculationStep::SolidHeight:
        return "压并高度";
    case CalculationStep::DevelopedLength:
        return "展开长度";
    case CalculationStep::MaxShearStress:
        return "最大切应力";
    case CalculationStep::HelixAngle:
        return "螺旋角";
    }
    return "计算";
}

std::string CalculationErrorMessage(const CalculationError &error) {
    std::string message = CalculationStepName(error.step());
    message += ": ";
    if (error.cause() != nullptr) {
        message += error.cause();
        message += error.undefined() ? ", 被除数也为零, 0/0 无定义" : "";
    } else if (error.undefined()) {
        message += "0/0 无定义";
    } else if (error.kind() == CalculationErrorKind::Overflow) {
        message += "结果超出单精度数值范围";
    } else {
        return message + CalculationErrorName(error.kind());
    }
    return message + " (" + CalculationErrorName(error.kind()) + ")";
}
