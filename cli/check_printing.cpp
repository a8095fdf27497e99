#include "check_printing.h"

#include "check_texts.h"

#include <ostream>

void WriteChecksText(const CheckResults &results, std::ostream &out) {
    out << "\n校核\n";
    for (const CheckResult &r : results) {
        out << CheckTitle(r.id) << "  " << CheckQuantityText(r.value, r.unit) << "  限值 "
            << CheckQuantityText(r.limit, r.unit) << "  " << CheckVerdictWord(r.verdict) << '\n'
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
