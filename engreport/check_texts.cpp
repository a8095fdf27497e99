#include "check_texts.h"

#include "number_format.h"

#include <cmath>

const char *CheckVerdictText(CheckVerdict verdict) {
    switch (verdict) {
    case CheckVerdict::Ok:
        return "○ 合格";
    case CheckVerdict::Warning:
        return "△ 注意";
    case CheckVerdict::Fail:
        return "× 不合格";
    case CheckVerdict::NotApplicable:
        break;
    }
    return "— 不适用";
}

std::string CheckQuantityText(const std::optional<double> &quantity, const std::string &unit) {
    if (!quantity || !std::isfinite(*quantity) || std::fabs(*quantity) > 1e30) {
        return "—";
    }
    std::string text = FormatThreeDecimals(static_cast<float>(*quantity));
    if (!unit.empty()) {
        text += " " + unit;
    }
    return text;
}
