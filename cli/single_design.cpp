#include "single_design.h"

#include "check_options.h"
#include "cli_exit.h"
#include "command_line.h"
#include "engineering_report.h"
#include "judge_design.h"
#include "outcome_format.h"
#include "report_date.h"
#include "report_file.h"
#include "request_options.h"

#include <CLI/CLI.hpp>

#include <ostream>

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
    // Each report that can be written is, whatever became of the other.
    bool reportFailed = false;
    if (request.reportPath) {
        const ReportInput report{outcome.design, outcome.sign, SpringTypeNameFor(outcome.sign),
                                 TodaysReportDate()};
        const ReportWriteResult written = WriteReportFile(*request.reportPath, report);
        if (!written.ok) {
            streams.err << "orsela-cli: " << written.message << '\n';
            reportFailed = true;
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
        if (auto failure = WriteEngineeringReport(*request.htmlReportPath, report)) {
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
