#include "miss_reason.h"

#include "number_format.h"

#include <cmath>
#include <initializer_list>
#include <string_view>

namespace {

// Pieces appended in order (and not `"text" + temporary`, which g++ 12
// misreads as an overlapping copy).
std::string Join(std::initializer_list<std::string_view> pieces) {
    std::string text;
    for (std::string_view piece : pieces) {
        text.append(piece);
    }
    return text;
}

std::string Mm(double value) {
    return Join({FormatOneDecimal(static_cast<float>(value)), " mm"});
}
std::string Newton(double value) {
    return Join({FormatThreeDecimals(static_cast<float>(value)), " N"});
}
std::string Mpa(double value) {
    return Join({FormatOneDecimal(static_cast<float>(value)), " MPa"});
}

std::string Rate(double value) {
    return Join({FormatThreeDecimals(static_cast<float>(value)), " N·mm/°"});
}

// " ± 2%", or " +A%/−B%" where the two differ.
std::string ToleranceText(const MissReason &r) {
    if (r.toleranceBelow != r.tolerance) {
        return Join({" +", FormatGeneral(static_cast<float>(r.tolerance)), "%/−",
                     FormatGeneral(static_cast<float>(r.toleranceBelow)), "%"});
    }
    return Join({" ± ", FormatGeneral(static_cast<float>(r.tolerance)), "%"});
}

std::string WarningText(const MissReason &r) {
    switch (r.warning.value_or(DesignWarning::TotalCoilsOutOfRange)) {
    case DesignWarning::TotalCoilsOutOfRange:
        return Join(
            {"总圈数 ", FormatGeneral(static_cast<float>(r.value)), " 超出有效圈数加1至2.5圈"});
    case DesignWarning::PitchBelowWireDiameter:
        return Join({"节距 ", Mm(r.value), " 小于材料直径 ", Mm(r.limit)});
    case DesignWarning::CompressionHeightAboveFree:
        return Join({"工作高度 ", Mm(r.value), " 大于自由高度 ", Mm(r.limit)});
    case DesignWarning::SpringGoesSolid:
        return Join(
            {"压并高度 ", Mm(r.value), " 不低于最大工作高度 ", Mm(r.limit), ", 弹簧被压并"});
    case DesignWarning::ExtensionHeightBelowFree:
        return Join({"工作高度 ", Mm(r.value), " 小于自由高度 ", Mm(r.limit)});
    case DesignWarning::StressAboveAllowable:
        if (r.load > 0.0) {
            return Join({"F3 按公差上限 ", Newton(r.load), " 时切应力 ", Mpa(r.value),
                         " 大于许用切应力 ", Mpa(r.limit)});
        }
        return Join({"最大切应力 ", Mpa(r.value), " 大于许用切应力 ", Mpa(r.limit)});
    }
    return {};
}

} // namespace

std::string MissReasonText(const MissReason &r) {
    switch (r.kind) {
    case MissKind::Warning:
        return WarningText(r);
    case MissKind::CalculationFault:
        if (!r.checkMessage.empty()) {
            return Join({"计算错误: ", r.checkMessage});
        }
        return Join(
            {"计算错误: ", CalculationErrorName(r.fault.value_or(CalculationErrorKind::Overflow))});
    case MissKind::NegativeInitialTension:
        return Join({"所需初拉力 ", FormatOneDecimal(static_cast<float>(r.value)), " N 小于0"});
    case MissKind::LoadOutsideTolerance:
        return Join({"F", std::to_string(r.point), " = ", Newton(r.value), ", 超出要求 ",
                     Newton(r.limit), ToleranceText(r)});
    case MissKind::OuterDiameter:
        return Join({"外径 ", Mm(r.value), " 大于 ", Mm(r.limit)});
    case MissKind::InnerDiameter:
        return Join({"内径 ", Mm(r.value), " 小于 ", Mm(r.limit)});
    case MissKind::FreeHeight:
        return Join({"自由高度 ", Mm(r.value), " 大于 ", Mm(r.limit)});
    case MissKind::SolidHeight:
        return Join({"压并高度 ", Mm(r.value), " 大于 ", Mm(r.limit)});
    case MissKind::CheckFailed:
        return Join({"校核 ", r.checkId, " 不通过: ", r.checkMessage});
    case MissKind::RateOutsideTolerance:
        return Join({"T' = ", Rate(r.value), ", 超出要求 ", Rate(r.limit), ToleranceText(r)});
    case MissKind::BodyLength:
        return Join({"弹簧体长度 ", Mm(r.value), " 大于 ", Mm(r.limit)});
    }
    return {};
}

double CheckMissExcess(const CheckResult &check) {
    if (check.value && check.limit && *check.limit != 0.0) {
        return std::fabs(*check.value - *check.limit) / std::fabs(*check.limit);
    }
    return 1.0;
}
