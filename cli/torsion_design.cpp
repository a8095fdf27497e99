#include "torsion_design.h"

#include "check_options.h"
#include "check_printing.h"
#include "cli_exit.h"
#include "command_line.h"
#include "display_width.h"
#include "judge_torsion.h"
#include "outcome_json.h"
#include "report_date.h"
#include "text_table.h"
#include "torsion_drawing.h"
#include "torsion_outcome_json.h"
#include "torsion_report.h"
#include "torsion_report_inputs.h"

#include <algorithm>
#include <ostream>

namespace {

// The window's designed text report is for compression and extension
// springs only: refused before anything is judged, naming the option.
std::optional<std::string> UnmadeOutput(const SingleDesignOutput &output) {
    if (output.reportPath) {
        return "--report: 计算书 (GBK 文本) 只用于压缩弹簧和拉伸弹簧; 扭转弹簧请用 --html-report";
    }
    return std::nullopt;
}

// The engineering report and the drawing, each written when it can be
// whatever became of the other; false when either failed.
bool WriteDocuments(const DesignRequest &request, const TorsionOutcome &outcome,
                    const SingleDesignOutput &output, CliStreams &streams) {
    bool written = true;
    if (output.htmlReportPath) {
        const TorsionReportInput report =
            TorsionReportInputFor(request, outcome, output.drawing, TodaysReportDate());
        if (auto failure = WriteTorsionReport(*output.htmlReportPath, report)) {
            streams.err << "orsela-cli: " << *failure << '\n';
            written = false;
        }
    }
    // No sheet under --strict for a design that fails its checks (exit 5).
    if (output.drawingPath && !(request.checks.strict && HasFailedCheck(outcome.checks))) {
        const TorsionDrawingInput drawing =
            TorsionDrawingInputFor(request, outcome, output.drawing, TodaysReportDate());
        if (auto failure = WriteTorsionDrawing(*output.drawingPath, drawing)) {
            streams.err << "orsela-cli: " << *failure << '\n';
            written = false;
        }
    }
    return written;
}

// A drawing that cannot be laid out or titled is refused before anything
// is written, as for the other kinds.
std::optional<std::string> DrawingRefusal(const DesignRequest &request,
                                          const TorsionOutcome &outcome,
                                          const SingleDesignOutput &output) {
    if (!output.drawingPath) {
        return std::nullopt;
    }
    return TorsionDrawingProblem(
        TorsionDrawingInputFor(request, outcome, output.drawing, TodaysReportDate()));
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
        if (auto refusal = DrawingRefusal(request, outcome, output)) {
            streams.err << "orsela-cli: " << *refusal << '\n';
            return kExitUsage;
        }
        if (output.drawingPath && HasFailedCheck(outcome.checks)) {
            streams.err << (request.checks.strict
                                ? "orsela-cli: --drawing: 校核未通过 (--strict), 不输出图样\n"
                                : "orsela-cli: --drawing: 校核未通过, 图样的技术要求中注明\n");
        }
        if (!WriteDocuments(request, outcome, output, streams)) {
            return kExitReportError;
        }
    }
    return TorsionExitStatus(request, outcome);
}
