#include "calculate_spring.h"

#include "checked_math.h"
#include "formulas.h"

#include <array>
#include <cmath>

namespace {

const std::array<std::string, 6> kWarningTexts = {
    "压缩弹簧总圈数不允许过少或过多!",
    "拉伸弹簧的节距不允许小于材料直径!",
    "压缩弹簧的工作高度大于自由高度!\r\n请输入合适的工作高度或工作载荷!",
    "最大工作载荷下,弹簧被压并!\r\n请调整弹簧参数!",
    "拉伸弹簧的工作高度小于自由高度!\r\n请输入合适的工作高度或工作载荷!",
    "注意!\r\n最大工作载荷下,弹簧最大切应力大于许用切应力!\r\n建议调整弹簧参数!",
};

// Compression spring: n + 1 < n1 <= n + 2.5, both bounds rounded to single
// precision before they are compared.
bool TotalCoilsAccepted(const SpringDesign &s) {
    const float fewest = checked::Store(double{s.ActiveCoils} + 1.0);
    const float most = checked::Store(double{s.ActiveCoils} + 2.5);
    return fewest < s.TotalCoils && most >= s.TotalCoils;
}

void ConvertWorkingPoints(SpringDesign &s, SpringTypeSign typeSign, WorkingPointMode mode) {
    std::array<float *, 3> heights = {&s.WorkingHeight1, &s.WorkingHeight2, &s.WorkingHeight3};
    std::array<float *, 3> loads = {&s.WorkingLoad1, &s.WorkingLoad2, &s.WorkingLoad3};
    if (mode == WorkingPointMode::KnownHeights) {
        for (std::size_t i = 0; i < 3; ++i) {
            const double deflection = std::fabs(checked::Step(double{s.FreeHeight} - *heights[i]));
            *loads[i] = checked::Store(
                checked::Step(checked::Step(deflection * s.SpringRate) + s.InitialTension));
        }
        return;
    }
    // The type sign is the sign of the deflection: a compression spring gets
    // shorter under load, an extension spring longer.
    const double sign = static_cast<float>(typeSign);
    for (std::size_t i = 0; i < 3; ++i) {
        const double signedLoad =
            checked::Step(checked::Step(double{*loads[i]} - s.InitialTension) * sign);
        *heights[i] =
            checked::Store(checked::Step(checked::Divide(signedLoad, s.SpringRate) + s.FreeHeight));
    }
}

bool AnyHeightAboveFree(const SpringDesign &s) {
    return s.WorkingHeight1 > s.FreeHeight || s.WorkingHeight2 > s.FreeHeight ||
           s.WorkingHeight3 > s.FreeHeight;
}

bool AnyHeightBelowFree(const SpringDesign &s) {
    return s.WorkingHeight1 < s.FreeHeight || s.WorkingHeight2 < s.FreeHeight ||
           s.WorkingHeight3 < s.FreeHeight;
}

CalculationOutcome Stop(DesignWarning which, CalculationListener &listener) {
    listener.warning(which, DesignWarningText(which));
    CalculationOutcome outcome;
    outcome.stoppedBy = which;
    return outcome;
}

} // namespace

const std::string &DesignWarningText(DesignWarning warning) {
    return kWarningTexts.at(static_cast<std::size_t>(warning));
}

CalculationOutcome CalculateSpring(SpringDesign &s, SpringTypeSign typeSign, WorkingPointMode mode,
                                   CalculationListener &listener) {
    // The extension free height is computed for both types, so a fault in it
    // ends a compression run as well.
    const float extensionFreeHeight = formulas::ExtensionFreeHeight(s);
    if (typeSign != kCompressionSpring) {
        s.FreeHeight = extensionFreeHeight;
    }

    const bool coilsAccepted = TotalCoilsAccepted(s);
    if (!coilsAccepted && typeSign == kCompressionSpring) {
        return Stop(DesignWarning::TotalCoilsOutOfRange, listener);
    }

    formulas::StoreSpringIndex(s);
    formulas::StoreCurvatureFactor(s);
    formulas::StoreSpringRate(s);

    ConvertWorkingPoints(s, typeSign, mode);

    if (typeSign == kCompressionSpring) {
        formulas::StoreCompressionPitch(s);
        formulas::StoreSlendernessRatio(s);
        formulas::StoreSolidHeight(s);
        formulas::StoreDevelopedLength(s, typeSign);
        if (AnyHeightAboveFree(s)) {
            return Stop(DesignWarning::CompressionHeightAboveFree, listener);
        }
        if (s.WorkingHeight3 <= s.SolidHeight) {
            return Stop(DesignWarning::SpringGoesSolid, listener);
        }
    } else if (typeSign == kExtensionSpring) {
        s.TotalCoils = s.ActiveCoils;
        listener.totalCoilsReplaced(s.TotalCoils);
        if (s.Pitch < s.WireDiameter) {
            return Stop(DesignWarning::PitchBelowWireDiameter, listener);
        }
        s.SlendernessRatio = 0.0F;
        s.SolidHeight = 0.0F;
        formulas::StoreDevelopedLength(s, typeSign);
        if (AnyHeightBelowFree(s)) {
            return Stop(DesignWarning::ExtensionHeightBelowFree, listener);
        }
    }

    CalculationOutcome outcome;
    formulas::StoreMaxShearStress(s);
    if (s.MaxShearStress > s.AllowableShearStress) {
        outcome.stressAboveAllowable = true;
        listener.warning(DesignWarning::StressAboveAllowable,
                         DesignWarningText(DesignWarning::StressAboveAllowable));
    }
    formulas::StoreHelixAngle(s);
    outcome.completed = true;
    return outcome;
}
