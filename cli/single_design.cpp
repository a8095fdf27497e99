#include "single_design.h"

#include "atomic_file_writer.h"
#include "check_options.h"
#include "check_printing.h"
#include "cli_exit.h"
#include "command_line.h"
#include "design_file.h"
#include "drawing_file.h"
#include "engineering_report.h"
#include "judge_design.h"
#include "option_registration.h"
#include "report_date.h"
#include "report_file.h"
#include "report_inputs.h"
#include "spring_drawing.h"
#include "title_block.h"
#include "torsion_design.h"

#include <CLI/CLI.hpp>

#include <ostream>

namespace {

// The request as a design file, replacing an existing one only when whole.
std::optional<std::string> SaveDesign(const std::string &path, const DesignRequest &request) {
    AtomicFileWriter file;
    if (auto problem = file.open(path)) {
        return problem;
    }
    file.write(DesignFileText(request));
    return file.commit();
}

int RunAndPrint(const DesignRequest &request, const SingleDesignOutput &output,
                CliStreams &streams);

} // namespace

void AddSingleDesignOutputOptions(CLI::App &app, SingleDesignOutput &output) {
    app.add_option_function<std::string>(
           "--format",
           [&output](const std::string &text) {
               if (text == "text") {
                   output.format = OutputFormat::Text;
               } else if (text == "tsv") {
                   output.format = OutputFormat::Tsv;
               } else if (text == "json") {
                   output.format = OutputFormat::Json;
               } else {
                   throw UsageError{"--format 只能是 text、tsv 或 json: " + EscapedArgument(text)};
               }
           })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option_function<std::string>(
           "--report", [&output](const std::string &path) { output.reportPath = path; })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option_function<std::string>(
           "--html-report", [&output](const std::string &path) { output.htmlReportPath = path; })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option_function<std::string>(
           "--save-design", [&output](const std::string &path) { output.saveDesignPath = path; })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option_function<std::string>("--drawing",
                                         [&output](const std::string &path) {
                                             if (!IsDrawingFileName(path)) {
                                                 throw UsageError{
                                                     "--drawing: 文件名应以 .dxf 或 .svg 结尾: " +
                                                     EscapedArgument(path)};
                                             }
                                             output.drawingPath = path;
                                         })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option_function<std::vector<std::string>>(
           "--title-block",
           [&output](const std::vector<std::string> &fields) {
               for (const std::string &field : fields) {
                   if (auto problem = StoreTitleBlockField(output.drawing, field)) {
                       throw UsageError{"--title-block: " + *problem + ": " +
                                        EscapedArgument(field)};
                   }
               }
           })
        ->allow_extra_args(false) // one key=value an occurrence; a second word is stray
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.add_option_function<std::string>("--precision-grade",
                                         [&output](const std::string &text) {
                                             if (auto problem =
                                                     StorePrecisionGrade(output.drawing, text)) {
                                                 throw UsageError{"--precision-grade: " + *problem +
                                                                  ": " + EscapedArgument(text)};
                                             }
                                         })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option_function<std::string>(
           "--dxf-version",
           [&output](const std::string &text) {
               if (auto problem = StoreDxfVersion(output.drawing, text)) {
                   throw UsageError{"--dxf-version: " + *problem + ": " + EscapedArgument(text)};
               }
           })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

int RunSingleDesign(const DesignRequest &request, const SingleDesignOutput &output,
                    CliStreams &streams) {
    const int status = request.torsion.torsion ? RunTorsionAndPrint(request, output, streams)
                                               : RunAndPrint(request, output, streams);
    if (output.saveDesignPath) {
        if (auto problem = SaveDesign(*output.saveDesignPath, request)) {
            streams.err << "orsela-cli: " << *problem << '\n';
            return kExitReportError;
        }
    }
    return status;
}

namespace {

int RunAndPrint(const DesignRequest &request, const SingleDesignOutput &output,
                CliStreams &streams) {
    const DesignOutcome outcome = JudgeDesign(request);
    for (const std::string &note : outcome.materialNotes) {
        streams.err << "orsela-cli: " << EscapedMessage(note) << '\n';
    }
    for (const std::string &warning : outcome.warnings) {
        streams.err << warning << '\n';
    }
    if (outcome.status == DesignStatus::Refused || outcome.status == DesignStatus::Fault) {
        streams.err << "orsela-cli: " << EscapedMessage(outcome.message) << '\n';
    }
    WriteOutcome(outcome, output.format, streams.out);
    if (outcome.status != DesignStatus::Completed) {
        return DesignExitStatus(request, outcome);
    }
    for (const std::string &note : outcome.checkNotes) {
        streams.err << "orsela-cli: " << note << '\n';
    }
    WriteCheckHints(outcome.checks, streams.err);
    if (output.drawingPath) {
        // Refused before anything is written, as any other input that cannot be drawn.
        const DrawingInput drawing =
            DrawingInputFor(request, outcome, output.drawing, TodaysReportDate());
        if (auto refusal = SpringDrawingProblem(drawing)) {
            streams.err << "orsela-cli: " << refusal->option << ": " << refusal->message << '\n';
            return kExitUsage;
        }
        if (HasFailedCheck(outcome.checks)) {
            streams.err << (request.checks.strict
                                ? "orsela-cli: --drawing: 校核未通过 (--strict), 不输出图样\n"
                                : "orsela-cli: --drawing: 校核未通过, 图样的技术要求中注明\n");
        }
    }
    // No sheet under --strict for a design that fails its checks (exit 5).
    const bool drawingRefused = request.checks.strict && HasFailedCheck(outcome.checks);
    // Each report that can be written is, whatever became of the other.
    bool reportFailed = false;
    if (output.reportPath) {
        const ReportInput report{outcome.design, outcome.sign, SpringTypeNameFor(outcome.sign),
                                 TodaysReportDate()};
        const ReportWriteResult written = WriteReportFile(*output.reportPath, report);
        if (!written.ok) {
            streams.err << "orsela-cli: " << written.message << '\n';
            reportFailed = true;
        }
    }
    if (output.htmlReportPath) {
        const EngineeringReportInput report =
            EngineeringReportInputFor(request, outcome, output.drawing, TodaysReportDate());
        if (auto failure = WriteEngineeringReport(*output.htmlReportPath, report)) {
            streams.err << "orsela-cli: " << *failure << '\n';
            reportFailed = true;
        }
    }
    if (output.drawingPath && !drawingRefused) {
        const DrawingInput drawing =
            DrawingInputFor(request, outcome, output.drawing, TodaysReportDate());
        if (auto failure = WriteSpringDrawing(*output.drawingPath, drawing)) {
            streams.err << "orsela-cli: " << *failure << '\n';
            reportFailed = true;
        }
    }
    if (reportFailed) {
        return kExitReportError;
    }
    if (request.checks.strict && HasFailedCheck(outcome.checks)) {
        return kExitFailedCheck;
    }
    return kExitCompleted;
}

} // namespace
