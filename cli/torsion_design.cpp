#include "torsion_design.h"

#include "check_printing.h"
#include "cli_exit.h"
#include "command_line.h"
#include "display_width.h"
#include "judge_torsion.h"
#include "outcome_json.h"
#include "text_table.h"
#include "torsion_outcome_json.h"

#include <algorithm>
#include <ostream>

namespace {

// The reports and the drawing of a torsion spring are not made yet: refused
// before anything is judged, naming the option.
std::optional<std::string> UnmadeOutput(const SingleDesignOutput &output) {
    if (output.reportPath) {
        return "--report: 扭转弹簧的计算书尚不支持";
    }
    if (output.htmlReportPath) {
        return "--html-report: 扭转弹簧的工程计算书尚不支持";
    }
    if (output.drawingPath) {
        return "--drawing: 扭转弹簧的工作图尚不支持";
    }
    return std::nullopt;
}

void WriteText(const TorsionOutcome &outcome, std::ostream &out) {
    const std::vector<TorsionResultRow> rows = TorsionResultRows(outcome);
    std::size_t numberWidth = 0;
    for (const TorsionResultRow &row : rows) {
        numberWidth = std::max(numberWidth, DisplayWidth(row.text));
    }
    TextTable table;
    for (const TorsionResultRow &row : rows) {
        table.AddRow({row.caption,
                      PadLeft(row.text, numberWidth) + (row.unit.empty() ? "" : " " + row.unit)});
    }
    table.Write(out);
    if (!outcome.checks.empty()) {
        WriteChecksText(outcome.checks, out);
    }
}

void WriteTsv(const TorsionOutcome &outcome, std::ostream &out) {
    for (const TorsionResultRow &row : TorsionResultRows(outcome)) {
        out << row.key << '\t' << row.text << '\n';
    }
    WriteChecksTsv(outcome.checks, out);
}

} // namespace

int RunTorsionAndPrint(const DesignRequest &request, const SingleDesignOutput &output,
                       CliStreams &streams) {
    if (auto unmade = UnmadeOutput(output)) {
        streams.err << "orsela-cli: " << *unmade << '\n';
        if (output.format == OutputFormat::Json) {
            streams.out << RefusedJsonText(*unmade);
        }
        return kExitUsage;
    }
    const TorsionOutcome outcome = JudgeTorsionDesign(request);
    if (outcome.status != DesignStatus::Completed) {
        streams.err << "orsela-cli: " << EscapedMessage(outcome.message) << '\n';
    }
    if (output.format == OutputFormat::Json) {
        streams.out << DumpJson(TorsionOutcomeJson(outcome), 2) << '\n';
    } else if (outcome.status == DesignStatus::Completed) {
        if (output.format == OutputFormat::Text) {
            WriteText(outcome, streams.out);
        } else {
            WriteTsv(outcome, streams.out);
        }
    }
    if (outcome.status == DesignStatus::Completed) {
        for (const std::string &note : outcome.notes) {
            streams.err << "orsela-cli: " << note << '\n';
        }
        WriteCheckHints(outcome.checks, streams.err);
    }
    return TorsionExitStatus(request, outcome);
}
