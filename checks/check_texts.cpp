#include "check_texts.h"

#include <cmath>
#include <cstdio>

const char *CheckVerdictWord(CheckVerdict verdict) {
    switch (verdict) {
    case CheckVerdict::Ok:
        return "合格";
    case CheckVerdict::Warning:
        return "注意";
    case CheckVerdict::Fail:
        return "不合格";
    case CheckVerdict::Info:
        return "信息";
    case CheckVerdict::NotJudged:
        return "未验证";
    case CheckVerdict::NotApplicable:
        break;
    }
    return "不适用";
}

std::string CheckVerdictList(const std::vector<CheckResult> &checks) {
    std::string text;
    for (const CheckResult &check : checks) {
        text += (text.empty() ? "" : ", ") + check.id + " " + CheckVerdictWord(check.verdict);
    }
    return text;
}

const char *CheckVerdictText(CheckVerdict verdict) {
    switch (verdict) {
    case CheckVerdict::Ok:
        return "○ 合格";
    case CheckVerdict::Warning:
        return "△ 注意";
    case CheckVerdict::Fail:
        return "× 不合格";
    case CheckVerdict::Info:
        return "◇ 信息";
    case CheckVerdict::NotJudged:
        return "? 未验证";
    case CheckVerdict::NotApplicable:
        break;
    }
    return "— 不适用";
}

std::string CheckNumberText(std::optional<double> quantity) {
    // Beyond 1e30 no spring quantity is meant: an overflow shown as a number would mislead.
    if (!quantity || !std::isfinite(*quantity) || std::fabs(*quantity) > 1e30) {
        return {};
    }
    char text[64];
    std::snprintf(text, sizeof text, "%.3f", *quantity);
    return text;
}

std::string CheckQuantityText(std::optional<double> quantity, const std::string &unit) {
    const std::string number = CheckNumberText(quantity);
    if (number.empty()) {
        return "—";
    }
    return unit.empty() ? number : number + " " + unit;
}

bool CheckRowNeededInDocument(const CheckResult &check) {
    if (check.id == "allowable-stress") {
        return check.verdict == CheckVerdict::Warning;
    }
    // A slenderness within its limit adds nothing to the critical deflection's verdict.
    if (check.id == "buckling" && check.verdict == CheckVerdict::Info && check.value &&
        check.limit && *check.value <= *check.limit) {
        return false;
    }
    // Rows that only confirm the inputs: on one page only when they object.
    if (check.id == "active-coils" || check.id == "shear-modulus" || check.id == "working-range") {
        return check.verdict != CheckVerdict::Ok && check.verdict != CheckVerdict::NotApplicable;
    }
    return true;
}
