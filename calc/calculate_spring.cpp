#include "calculate_spring.h"

#include "checked_math.h"
#include "formulas.h"

#include <array>
#include <cmath>

namespace {

// Runs one step of the run; a fault inside it names the step.
template <typename Run> void At(CalculationStep step, Run &&run) {
    try {
        run();
    } catch (const CalculationError &error) {
        throw error.atStep(step);
    }
}

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
        *heights[i] = checked::Store(
            checked::Step(checked::Divide(signedLoad, s.SpringRate, "刚度为零") + s.FreeHeight));
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
    static const std::string totalCoils = "压缩弹簧总圈数不允许过少或过多!";
    static const std::string pitch = "拉伸弹簧的节距不允许小于材料直径!";
    static const std::string compressionHeight =
        "压缩弹簧的工作高度大于自由高度!\r\n请输入合适的工作高度或工作载荷!";
    static const std::string solid = "最大工作载荷下,弹簧被压并!\r\n请调整弹簧参数!";
    static const std::string extensionHeight =
        "拉伸弹簧的工作高度小于自由高度!\r\n请输入合适的工作高度或工作载荷!";
    static const std::string stress =
        "注意!\r\n最大工作载荷下,弹簧最大切应力大于许用切应力!\r\n建议调整弹簧参数!";
    switch (warning) {
    case DesignWarning::TotalCoilsOutOfRange:
        return totalCoils;
    case DesignWarning::PitchBelowWireDiameter:
        return pitch;
    case DesignWarning::CompressionHeightAboveFree:
        return compressionHeight;
    case DesignWarning::SpringGoesSolid:
        return solid;
    case DesignWarning::ExtensionHeightBelowFree:
        return extensionHeight;
    case DesignWarning::StressAboveAllowable:
        return stress;
    }
    return stress;
}

CalculationOutcome CalculateSpring(SpringDesign &s, SpringTypeSign typeSign, WorkingPointMode mode,
                                   CalculationListener &listener) {
    using St = CalculationStep;
    // The extension free height is computed for both types, so a fault in it
    // ends a compression run as well.
    float extensionFreeHeight = 0.0F;
    At(St::ExtensionFreeHeight, [&] { extensionFreeHeight = formulas::ExtensionFreeHeight(s); });
    if (typeSign != kCompressionSpring) {
        s.FreeHeight = extensionFreeHeight;
    }

    bool coilsAccepted = false;
    At(St::TotalCoilsLimits, [&] { coilsAccepted = TotalCoilsAccepted(s); });
    if (!coilsAccepted && typeSign == kCompressionSpring) {
        return Stop(DesignWarning::TotalCoilsOutOfRange, listener);
    }

    At(St::SpringIndex, [&] { formulas::StoreSpringIndex(s); });
    At(St::CurvatureFactor, [&] { formulas::StoreCurvatureFactor(s); });
    At(St::SpringRate, [&] { formulas::StoreSpringRate(s); });

    At(mode == WorkingPointMode::KnownHeights ? St::WorkingLoads : St::WorkingHeights,
       [&] { ConvertWorkingPoints(s, typeSign, mode); });

    if (typeSign == kCompressionSpring) {
        At(St::Pitch, [&] { formulas::StoreCompressionPitch(s); });
        At(St::SlendernessRatio, [&] { formulas::StoreSlendernessRatio(s); });
        At(St::SolidHeight, [&] { formulas::StoreSolidHeight(s); });
        At(St::DevelopedLength, [&] { formulas::StoreDevelopedLength(s, typeSign); });
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
        At(St::DevelopedLength, [&] { formulas::StoreDevelopedLength(s, typeSign); });
        if (AnyHeightBelowFree(s)) {
            return Stop(DesignWarning::ExtensionHeightBelowFree, listener);
        }
    }

    CalculationOutcome outcome;
    At(St::MaxShearStress, [&] { formulas::StoreMaxShearStress(s); });
    if (s.MaxShearStress > s.AllowableShearStress) {
        outcome.stressAboveAllowable = true;
        listener.warning(DesignWarning::StressAboveAllowable,
                         DesignWarningText(DesignWarning::StressAboveAllowable));
    }
    At(St::HelixAngle, [&] { formulas::StoreHelixAngle(s); });
    return outcome;
}
