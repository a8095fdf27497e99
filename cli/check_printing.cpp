#include "check_printing.h"

#include "check_texts.h"
#include "display_width.h"

#include <algorithm>

#include <ostream>
#include <set>
#include <utility>

void WriteChecksText(const CheckResults &results, std::ostream &out) {
    // Title, value, limit and verdict in columns by display width, so that
    // the verdicts line up under each other.
    std::size_t titles = 0, values = 0, limits = 0;
    for (const CheckResult &r : results) {
        titles = std::max(titles, DisplayWidth(CheckTitle(r.id)));
        values = std::max(values, DisplayWidth(CheckQuantityText(r.value, r.unit)));
        limits = std::max(limits, DisplayWidth(CheckQuantityText(r.limit, r.unit)));
    }
    out << "\n校核\n";
    for (const CheckResult &r : results) {
        out << PadRight(CheckTitle(r.id), titles) << "  "
            << PadLeft(CheckQuantityText(r.value, r.unit), values) << "  限值 "
            << PadLeft(CheckQuantityText(r.limit, r.unit), limits) << "  "
            << CheckVerdictWord(r.verdict) << '\n'
            << "    " << r.message << '\n'
            << "    依据: " << r.clause << '\n';
    }
}

void WriteChecksTsv(const CheckResults &results, std::ostream &out) {
    for (const CheckResult &r : results) {
        out << "Check." << r.id << '\t' << CheckNumberText(r.value) << '\t'
            << CheckNumberText(r.limit) << '\t' << CheckVerdictName(r.verdict) << '\n';
    }
}

void WriteGivenRmNote(const std::vector<std::string> &applicableWithGivenRm, std::ostream &out) {
    if (applicableWithGivenRm.empty()) {
        return;
    }
    out << "\n注: 给出的抗拉强度 Rm 使以下校核得以判定: ";
    for (std::size_t i = 0; i < applicableWithGivenRm.size(); ++i) {
        out << (i ? "、" : "") << CheckTitle(applicableWithGivenRm[i]);
    }
    out << '\n';
}

namespace {

// What the input is, and the option that gives it.
std::pair<const char *, const char *> OptionHint(CheckInput input) {
    switch (input) {
    case CheckInput::LoadCycles:
        return {"载荷循环次数", "--load-cycles=N"};
    case CheckInput::TensileStrength:
        return {"钢丝质保书上的抗拉强度", "--tensile-strength=MPa"};
    case CheckInput::ElasticModulus:
        return {"弹性模量", "--elastic-modulus=MPa"};
    case CheckInput::Density:
        return {"材料密度", "--density=kg/dm³"};
    case CheckInput::WorkingFrequency:
        return {"工作频率", "--working-frequency=Hz"};
    case CheckInput::None:
        break;
    }
    return {nullptr, nullptr};
}

} // namespace

void WriteCheckHints(const CheckResults &results, std::ostream &err) {
    std::set<CheckInput> said;
    for (const CheckResult &r : results) {
        const auto [what, option] = OptionHint(r.missing);
        if (what && said.insert(r.missing).second) {
            err << "orsela-cli: 提示: " << CheckTitle(r.id) << "要用" << what << ", 可用 " << option
                << " 给出\n";
        }
    }
}
