#pragma once

#include "check_result.h"

#include <optional>
#include <string>
#include <vector>

// The texts a check's row shows wherever it is printed: the command line's
// text and tsv, the design table and the engineering report.

// "合格", "注意", "不合格", "不适用", "信息" or "未验证".
const char *CheckVerdictWord(CheckVerdict verdict);

// "static-strength 合格, buckling 不适用, ...": a design's verdicts on one
// line, as the search lists them.
std::string CheckVerdictList(const std::vector<CheckResult> &checks);

// The verdict as a symbol and a word, so that it reads in black-and-white
// print: "○ 合格", "△ 注意", "× 不合格", "— 不适用", "◇ 信息", "? 未验证".
const char *CheckVerdictText(CheckVerdict verdict);

// A check's value or limit with three decimals; empty when there is none or
// it is not a finite number of a sensible size.
std::string CheckNumberText(std::optional<double> quantity);

// The same with its unit; "—" when there is none.
std::string CheckQuantityText(std::optional<double> quantity, const std::string &unit);

// Whether a one-page document needs the row: the comparison of the designer's
// [tau] with the standard's, the active coils, the typed G and the working
// range only when they object, the slenderness only beyond its limit.
bool CheckRowNeededInDocument(const CheckResult &check);
