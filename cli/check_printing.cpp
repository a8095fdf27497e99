#include "check_printing.h"

#include "check_hints.h"

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

namespace {} // namespace

void WriteCheckHints(const CheckResults &results, std::ostream &err) {
    for (const std::string &hint : CheckHints(results)) {
        err << "orsela-cli: " << hint << '\n';
    }
}
