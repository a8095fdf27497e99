#include "miss_reason.h"

#include "number_format.h"

namespace {

std::string Mm(double value) {
    return FormatOneDecimal(static_cast<float>(value)) + " mm";
}
std::string Newton(double value) {
    return FormatThreeDecimals(static_cast<float>(value)) + " N";
}
std::string Mpa(double value) {
    return FormatOneDecimal(static_cast<float>(value)) + " MPa";
}

std::string WarningText(const MissReason &r) {
    switch (r.warning.value_or(DesignWarning::TotalCoilsOutOfRange)) {
    case DesignWarning::TotalCoilsOutOfRange:
        return "总圈数 " + FormatGeneral(static_cast<float>(r.value)) + " 超出有效圈数加1至2.5圈";
    case DesignWarning::PitchBelowWireDiameter:
        return "节距 " + Mm(r.value) + " 小于材料直径 " + Mm(r.limit);
    case DesignWarning::CompressionHeightAboveFree:
        return "工作高度 " + Mm(r.value) + " 大于自由高度 " + Mm(r.limit);
    case DesignWarning::SpringGoesSolid:
        return "压并高度 " + Mm(r.value) + " 不低于最大工作高度 " + Mm(r.limit) + ", 弹簧被压并";
    case DesignWarning::ExtensionHeightBelowFree:
        return "工作高度 " + Mm(r.value) + " 小于自由高度 " + Mm(r.limit);
    case DesignWarning::StressAboveAllowable:
        return "最大切应力 " + Mpa(r.value) + " 大于许用切应力 " + Mpa(r.limit);
    }
    return {};
}

} // namespace

std::string MissReasonText(const MissReason &r) {
    switch (r.kind) {
    case MissKind::Warning:
        return WarningText(r);
    case MissKind::CalculationFault:
        return std::string("计算错误: ") +
               CalculationErrorName(r.fault.value_or(CalculationErrorKind::Overflow));
    case MissKind::NegativeInitialTension:
        return "所需初拉力 " + FormatOneDecimal(static_cast<float>(r.value)) + " N 小于0";
    case MissKind::LoadOutsideTolerance:
        return "F" + std::to_string(r.point) + " = " + Newton(r.value) + ", 超出要求 " +
               Newton(r.limit) + " ± " + FormatGeneral(static_cast<float>(r.tolerance)) + "%";
    case MissKind::OuterDiameter:
        return "外径 " + Mm(r.value) + " 大于 " + Mm(r.limit);
    case MissKind::InnerDiameter:
        return "内径 " + Mm(r.value) + " 小于 " + Mm(r.limit);
    case MissKind::FreeHeight:
        return "自由高度 " + Mm(r.value) + " 大于 " + Mm(r.limit);
    case MissKind::SolidHeight:
        return "压并高度 " + Mm(r.value) + " 大于 " + Mm(r.limit);
    case MissKind::CheckFailed:
        return "校核 " + r.checkId + " 不通过: " + r.checkMessage;
    }
    return {};
}
