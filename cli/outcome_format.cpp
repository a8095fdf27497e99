#include "outcome_format.h"

#include "check_printing.h"
#include "display_width.h"
#include "number_format.h"
#include "outcome_json.h"
#include "result_fields.h"
#include "text_table.h"

#include <algorithm>
#include <ostream>
#include <vector>

void WriteOutcomeText(const DesignOutcome &outcome, std::ostream &out) {
    if (outcome.status != DesignStatus::Completed) {
        return;
    }
    // Captions in one column, the values right-aligned in the next, each
    // followed by its unit.
    struct Row {
        std::string caption, number, unit;
    };
    std::vector<Row> rows;
    for (const ResultField &field : ResultFields()) {
        rows.push_back({field.caption, FormatResult(field, outcome.design), field.unit});
    }
    rows.push_back({"总圈数", FormatGeneral(outcome.design.TotalCoils), ""});
    std::size_t numberWidth = 0;
    for (const Row &row : rows) {
        numberWidth = std::max(numberWidth, DisplayWidth(row.number));
    }
    TextTable table;
    for (const Row &row : rows) {
        table.AddRow({row.caption,
                      PadLeft(row.number, numberWidth) + (row.unit.empty() ? "" : " " + row.unit)});
    }
    table.Write(out);
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
