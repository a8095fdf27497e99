#include "cli_run.h"

#include "calculate_spring.h"
#include "calculation_error.h"
#include "cli_options.h"
#include "field_check.h"
#include "number_format.h"
#include "report_date.h"
#include "report_file.h"
#include "result_fields.h"

#include <ostream>

namespace {

// Warnings go to stderr as they arise; CR LF becomes a plain newline.
class StderrListener : public CalculationListener {
  public:
    explicit StderrListener(std::ostream &err) : err_(err) {}
    void warning(DesignWarning, const std::string &text) override {
        std::string shown;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                continue;
            }
            shown.push_back(text[i]);
        }
        err_ << shown << '\n';
    }
    void totalCoilsReplaced(float) override {}

  private:
    std::ostream &err_;
};

void PrintResults(const SpringDesign &design, OutputFormat format, std::ostream &out) {
    for (const ResultField &field : ResultFields()) {
        const std::string text = FormatResult(field, design);
        if (format == OutputFormat::Tsv) {
            out << field.designField << '\t' << text << '\n';
            continue;
        }
        out << field.caption << "  " << text;
        if (*field.unit != '\0') {
            out << ' ' << field.unit;
        }
        out << '\n';
    }
    out << (format == OutputFormat::Tsv ? "TotalCoils\t" : "总圈数  ")
        << FormatGeneral(design.TotalCoils) << '\n';
}

} // namespace

int RunCli(const std::vector<std::string> &args, std::ostream &out, std::ostream &err) {
    std::string error;
    const auto options = ParseCliOptions(args, error);
    if (!options) {
        err << "orsela-cli: " << error << '\n' << "用法见 orsela-cli --help\n";
        return kExitUsage;
    }
    if (options->help) {
        out << CliUsage();
        return kExitCompleted;
    }

    SpringDesign design;
    design.Material = options->material;
    const auto &numeric = NumericOptions();
    for (std::size_t i = 0; i < numeric.size(); ++i) {
        const NumericField *field = FindNumericFieldByDesignField(numeric[i].designField);
        const FieldCheck check = CheckFieldText(*field, options->numericTexts[i]);
        if (check.verdict != FieldVerdict::Accepted) {
            err << "orsela-cli: --" << numeric[i].name << ": " << check.message << '\n';
            return kExitUsage;
        }
        design.*field->quantity = check.value;
    }

    const SpringTypeSign sign = options->extension ? kExtensionSpring : kCompressionSpring;
    const WorkingPointMode mode =
        options->knownLoads ? WorkingPointMode::KnownLoads : WorkingPointMode::KnownHeights;
    StderrListener listener(err);
    CalculationOutcome outcome;
    try {
        outcome = CalculateSpring(design, sign, mode, listener);
    } catch (const CalculationError &e) {
        err << "orsela-cli: 计算错误: " << CalculationErrorName(e.kind()) << '\n';
        return kExitCalculationError;
    }
    if (outcome.stoppedBy) {
        return kExitStoppedByWarning;
    }
    PrintResults(design, options->format, out);
    if (options->reportPath) {
        const ReportInput report{design, sign, SpringTypeNameFor(sign), TodaysReportDate()};
        const ReportWriteResult written = WriteReportFile(*options->reportPath, report);
        if (!written.ok) {
            err << "orsela-cli: " << written.message << '\n';
            return kExitReportError;
        }
    }
    return kExitCompleted;
}
