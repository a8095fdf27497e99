#include "outcome_format.h"

#include "check_printing.h"
#include "number_format.h"
#include "outcome_json.h"
#include "result_fields.h"

#include <ostream>

void WriteOutcomeText(const DesignOutcome &outcome, std::ostream &out) {
    if (outcome.status != DesignStatus::Completed) {
        return;
    }
    for (const ResultField &field : ResultFields()) {
        out << field.caption << "  " << FormatResult(field, outcome.design);
        if (*field.unit != '\0') {
            out << ' ' << field.unit;
        }
        out << '\n';
    }
    out << "总圈数  " << FormatGeneral(outcome.design.TotalCoils) << '\n';
    if (!outcome.checks.empty()) {
        WriteChecksText(outcome.checks, out);
        WriteGivenRmNote(outcome.applicableWithGivenRm, out);
    }
}

void WriteOutcomeTsv(const DesignOutcome &outcome, std::ostream &out) {
    if (outcome.status != DesignStatus::Completed) {
        return;
    }
    for (const ResultField &field : ResultFields()) {
        out << field.designField << '\t' << FormatResult(field, outcome.design) << '\n';
    }
    out << "TotalCoils\t" << FormatGeneral(outcome.design.TotalCoils) << '\n';
    WriteChecksTsv(outcome.checks, out);
}

void WriteOutcome(const DesignOutcome &outcome, OutputFormat format, std::ostream &out) {
    switch (format) {
    case OutputFormat::Text:
        WriteOutcomeText(outcome, out);
        break;
    case OutputFormat::Tsv:
        WriteOutcomeTsv(outcome, out);
        break;
    case OutputFormat::Json:
        out << DumpJson(OutcomeJson(outcome), 2) << '\n';
        break;
    }
}
