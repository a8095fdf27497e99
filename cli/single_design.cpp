#include "single_design.h"

#include "check_options.h"
#include "cli_exit.h"
#include "command_line.h"
#include "command_materials.h"
#include "drawing_file.h"
#include "engineering_report.h"
#include "judge_design.h"
#include "outcome_format.h"
#include "report_date.h"
#include "report_file.h"
#include "request_options.h"

#include <CLI/CLI.hpp>

#include <ostream>

namespace {

const MaterialEntry *DesignMaterial(const DesignRequest &request) {
    return FindMaterial(CommandMaterials(request.materials.materialsFile).catalog,
                        request.material);
}

// What the checks took, as the engineering report lists it in its first section.
void AddCheckConditions(EngineeringReportInput &report, const DesignRequest &request,
                        const DesignOutcome &outcome) {
    const PreparedCheckInputs prepared =
        PrepareCheckInputs(request.checks, DesignMaterial(request), outcome.design, outcome.sign,
                           request.materials.loadType);
    report.checkInputs = prepared.inputs;
    if (request.checks.tensileStrength) {
        report.checkSources.push_back("Rm 由 --tensile-strength 给定");
    }
    for (const std::string &note : outcome.checkNotes) {
        report.checkSources.push_back(note.rfind("校核: ", 0) == 0 ? note.substr(8) : note);
    }
}

DrawingInput DrawingInputOf(const DesignRequest &request, const DesignOutcome &outcome,
                            const std::string &date) {
    DrawingInput input;
    input.design = outcome.design;
    input.typeSign = outcome.sign;
    if (request.checks.check) {
        input.checks = outcome.checks;
    }
    if (const MaterialEntry *entry = DesignMaterial(request)) {
        input.materialStandard = entry->standard;
    }
    input.date = date;
    input.details = request.drawing;
    return input;
}

} // namespace

void AddSingleDesignOutputOptions(CLI::App &app, DesignRequest &request) {
    app.add_option_function<std::string>(
           "--format",
           [&request](const std::string &text) {
               if (text == "text") {
                   request.format = OutputFormat::Text;
               } else if (text == "tsv") {
                   request.format = OutputFormat::Tsv;
               } else if (text == "json") {
                   request.format = OutputFormat::Json;
               } else {
                   throw UsageError{"--format 只能是 text、tsv 或 json: " + EscapedArgument(text)};
               }
           })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option_function<std::string>(
           "--report", [&request](const std::string &path) { request.reportPath = path; })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option_function<std::string>(
           "--html-report", [&request](const std::string &path) { request.htmlReportPath = path; })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option_function<std::string>(
           "--drawing", [&request](const std::string &path) { request.drawingPath = path; })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option_function<std::vector<std::string>>(
           "--title-block",
           [&request](const std::vector<std::string> &fields) {
               for (const std::string &field : fields) {
                   if (auto problem = StoreTitleBlockField(request.drawing, field)) {
                       throw UsageError{"--title-block: " + *problem + ": " +
                                        EscapedArgument(field)};
                   }
               }
           })
        ->allow_extra_args(false) // one key=value an occurrence; a second word is stray
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll);
    app.add_option_function<std::string>("--precision-grade",
                                         [&request](const std::string &text) {
                                             if (auto problem =
                                                     StorePrecisionGrade(request.drawing, text)) {
                                                 throw UsageError{"--precision-grade: " + *problem +
                                                                  ": " + EscapedArgument(text)};
                                             }
                                         })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    app.add_option_function<std::string>(
           "--dxf-version",
           [&request](const std::string &text) {
               if (auto problem = StoreDxfVersion(request.drawing, text)) {
                   throw UsageError{"--dxf-version: " + *problem + ": " + EscapedArgument(text)};
               }
           })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

int RunSingleDesign(const DesignRequest &request, CliStreams &streams) {
    const DesignOutcome outcome = JudgeDesign(request);
    for (const std::string &note : outcome.materialNotes) {
        streams.err << "orsela-cli: " << note << '\n';
    }
    for (const std::string &warning : outcome.warnings) {
        streams.err << warning << '\n';
    }
    if (outcome.status == DesignStatus::Refused || outcome.status == DesignStatus::Fault) {
        streams.err << "orsela-cli: " << outcome.message << '\n';
    }
    WriteOutcome(outcome, request.format, streams.out);
    if (outcome.status != DesignStatus::Completed) {
        return ExitStatusOf(outcome.status);
    }
    for (const std::string &note : outcome.checkNotes) {
        streams.err << "orsela-cli: " << note << '\n';
    }
    if (request.reportPath) {
        const ReportInput report{outcome.design, outcome.sign, SpringTypeNameFor(outcome.sign),
                                 TodaysReportDate()};
        const ReportWriteResult written = WriteReportFile(*request.reportPath, report);
        if (!written.ok) {
            streams.err << "orsela-cli: " << written.message << '\n';
            return kExitReportError;
        }
    }
    if (request.htmlReportPath) {
        EngineeringReportInput report;
        report.design = outcome.design;
        report.typeSign = outcome.sign;
        report.date = TodaysReportDate();
        report.programVersion = EngineeringReportProgramVersion();
        report.warnings = outcome.warnings;
        if (request.checks.check) {
            report.checks = outcome.checks;
        }
        report.fatigue = outcome.fatigue;
        const DrawingInput drawing = DrawingInputOf(request, outcome, report.date);
        report.drawingDetails = drawing.details;
        report.materialStandard = drawing.materialStandard;
        if (request.checks.check) {
            AddCheckConditions(report, request, outcome);
        }
        if (auto failure = WriteEngineeringReport(*request.htmlReportPath, report)) {
            streams.err << "orsela-cli: " << *failure << '\n';
            return kExitReportError;
        }
    }
    if (request.drawingPath) {
        const DrawingInput drawing = DrawingInputOf(request, outcome, TodaysReportDate());
        if (auto failure = WriteSpringDrawing(*request.drawingPath, drawing)) {
            streams.err << "orsela-cli: " << *failure << '\n';
            return kExitReportError;
        }
    }
    if (request.checks.strict && HasFailedCheck(outcome.checks)) {
        return kExitFailedCheck;
    }
    return kExitCompleted;
}
