// The workbench's judging for the page's script (embind): the same calls as
// orsela-cli makes, with what the command line would print on standard
// output and standard error, and its exit status. The page reads no files:
// the built-in materials data is compiled in, the user's own grades come as
// a text.
#include "batch_rows.h"
#include "call_results.h"
#include "check_hints.h"
#include "check_options.h"
#include "csv_reader.h"
#include "design_file.h"
#include "design_options.h"
#include "drawing_file.h"
#include "engineering_report.h"
#include "judge_design.h"
#include "material_catalog.h"
#include "materials_json.h"
#include "numeric_fields.h"
#include "outcome_json.h"
#include "report_inputs.h"
#include "report_style.h"
#include "report_svgs.h"
#include "request_options.h"
#include "search_json.h"
#include "search_setup.h"
#include "shared_materials.h"
#include "spring_drawing.h"
#include "title_block.h"
#include "torsion_bindings.h"
#include "window_design.h"

#include <emscripten/bind.h>
#include <emscripten/val.h>
#include <nlohmann/json.hpp>

#include <array>
#include <cmath>
#include <map>
#include <set>
#include <sstream>
#include <string>

using emscripten::val;

extern const char *const kBuiltInMaterialsText; // materials_text.cpp, written by the build

namespace {

// The command line's exit statuses.
constexpr int kCompleted = 0;
constexpr int kStopped = 1;
constexpr int kUsage = 2;

const char *const kRequestName = "设计";

// The built-in data, taken the first time the page judges.
void UseBuiltInMaterials() {
    static const bool used = [] {
        UseMaterialsTexts(kBuiltInMaterialsText, "");
        return true;
    }();
    (void)used;
}

// The request of a design file's text, with the CLI's refusal when it has none.
DesignFileRead ReadRequest(const std::string &text) {
    return ReadDesignText(text, kRequestName);
}

// What orsela-cli --design=FILE --format=json prints.
val Judge(const std::string &requestText) {
    UseBuiltInMaterials();
    const DesignFileRead read = ReadRequest(requestText);
    if (!read.request) {
        return Printed(kUsage, RefusedJsonText(read.error), "orsela-cli: " + read.error + "\n");
    }
    if (read.request->torsion.torsion) {
        return JudgeTorsionPrinted(*read.request);
    }
    const DesignOutcome outcome = JudgeDesign(*read.request);
    std::string err;
    for (const std::string &note : outcome.materialNotes) {
        err += "orsela-cli: " + note + "\n";
    }
    for (const std::string &warning : outcome.warnings) {
        err += warning + "\n";
    }
    if (outcome.status == DesignStatus::Refused || outcome.status == DesignStatus::Fault) {
        err += "orsela-cli: " + outcome.message + "\n";
    }
    if (outcome.status == DesignStatus::Completed) {
        for (const std::string &note : outcome.checkNotes) {
            err += "orsela-cli: " + note + "\n";
        }
        for (const std::string &hint : CheckHints(outcome.checks)) {
            err += "orsela-cli: " + hint + "\n";
        }
    }
    return Printed(DesignExitStatus(*read.request, outcome),
                   DumpJson(OutcomeJson(outcome), 2) + "\n", err);
}

// The title block, the precision grade and the DXF version, as the options
// --title-block, --precision-grade and --dxf-version give them.
std::optional<std::string> ReadDetails(const std::string &detailsText, DrawingDetails &details) {
    if (detailsText.empty()) {
        return std::nullopt;
    }
    const auto json = nlohmann::json::parse(detailsText, nullptr, false);
    if (!json.is_object()) {
        return "图样选项不是 JSON 对象";
    }
    if (const auto fields = json.find("title-block"); fields != json.end() && fields->is_array()) {
        for (const auto &field : *fields) {
            if (!field.is_string()) {
                return "--title-block: 须为文字";
            }
            if (auto problem = StoreTitleBlockField(details, field.get<std::string>())) {
                return "--title-block: " + *problem + ": " + field.get<std::string>();
            }
        }
    }
    if (const auto grade = json.find("precision-grade");
        grade != json.end() && grade->is_string()) {
        if (auto problem = StorePrecisionGrade(details, grade->get<std::string>())) {
            return "--precision-grade: " + *problem;
        }
    }
    if (const auto version = json.find("dxf-version");
        version != json.end() && version->is_string()) {
        if (auto problem = StoreDxfVersion(details, version->get<std::string>())) {
            return "--dxf-version: " + *problem;
        }
    }
    return std::nullopt;
}

// A completed judgement of the request for the report, the charts and the
// drawing; else the reason there is none.
struct Completed {
    std::optional<DesignRequest> request;
    DesignOutcome outcome;
    DrawingDetails details;
    std::string problem;
    bool torsion = false; // read, not judged: the torsion spring's own calls judge it
};

Completed JudgeCompleted(const std::string &requestText, const std::string &detailsText) {
    UseBuiltInMaterials();
    Completed result;
    DesignFileRead read = ReadRequest(requestText);
    if (!read.request) {
        result.problem = read.error;
        return result;
    }
    if (auto problem = ReadDetails(detailsText, result.details)) {
        result.problem = *problem;
        return result;
    }
    if (read.request->torsion.torsion) {
        result.torsion = true;
        result.request = std::move(read.request);
        return result;
    }
    result.outcome = JudgeDesign(*read.request);
    if (result.outcome.status != DesignStatus::Completed) {
        result.problem = result.outcome.message.empty() ? "计算未完成" : result.outcome.message;
        return result;
    }
    result.request = std::move(read.request);
    return result;
}

val EngineeringReport(const std::string &requestText, const std::string &date,
                      const std::string &detailsText) {
    const Completed judged = JudgeCompleted(requestText, detailsText);
    if (!judged.request) {
        return Failure(judged.problem);
    }
    if (judged.torsion) {
        return TorsionReportOf(*judged.request, judged.details, date);
    }
    const EngineeringReportInput input =
        EngineeringReportInputFor(*judged.request, judged.outcome, judged.details, date);
    return Success("html", val(BuildEngineeringReport(input)));
}

// A chart drawn by the report's stylesheet, with that stylesheet's rules for
// its pictures inside it, so that it draws the same anywhere on the page.
std::string SelfContained(const std::string &svg) {
    std::string rules;
    std::istringstream css(kEngineeringReportCss);
    for (std::string line; std::getline(css, line);) {
        if (line.rfind("svg ", 0) == 0) {
            rules += line + "\n";
        }
    }
    const std::size_t open = svg.find('>');
    if (open == std::string::npos) {
        return svg;
    }
    return svg.substr(0, open + 1) + "<style>" + rules + "</style>" + svg.substr(open + 1);
}

val Charts(const std::string &requestText) {
    const Completed judged = JudgeCompleted(requestText, "");
    if (!judged.request) {
        return Failure(judged.problem);
    }
    if (judged.torsion) {
        std::string problem;
        const auto chart = TorqueAngleChartOf(*judged.request, problem);
        return chart ? Success("torqueAngle", val(SelfContained(*chart))) : Failure(problem);
    }
    val result =
        Success("loadDeflection",
                val(SelfContained(LoadDeflectionSvg(judged.outcome.design, judged.outcome.sign))));
    result.set("fatigue", judged.outcome.fatigue
                              ? val(SelfContained(FatigueSvg(*judged.outcome.fatigue)))
                              : val::null());
    return result;
}

val DrawingOf(const std::string &requestText, const std::string &kind, const std::string &date,
              const std::string &detailsText) {
    if (kind != "dxf" && kind != "svg") {
        return Failure("图样只能是 dxf 或 svg");
    }
    const Completed judged = JudgeCompleted(requestText, detailsText);
    if (!judged.request) {
        return Failure(judged.problem);
    }
    if (judged.torsion) {
        return TorsionDrawingOf(*judged.request, kind == "dxf", judged.details, date);
    }
    const DrawingInput input =
        DrawingInputFor(*judged.request, judged.outcome, judged.details, date);
    if (auto refusal = SpringDrawingProblem(input)) {
        return Failure(refusal->message);
    }
    return Success("data", Bytes(SpringDrawingBytes(input, kind == "dxf")));
}

// The options object {"name": "text"} of search and batch, a switch set by
// "1"; a value that is not text is refused.
std::optional<std::string> ReadOptions(const std::string &optionsText,
                                       std::map<std::string, std::string> &options) {
    const auto json = nlohmann::json::parse(optionsText, nullptr, false);
    if (!json.is_object()) {
        return "选项不是 JSON 对象";
    }
    for (const auto &[name, value] : json.items()) {
        if (!value.is_string()) {
            return "--" + name + ": 选项的值须为文字";
        }
        options[name] = value.get<std::string>();
    }
    return std::nullopt;
}

bool SwitchSet(const std::string &text) {
    return !text.empty() && text != "0" && text != "false";
}

// What orsela-cli search --format=json prints; progress(pass, done, total)
// between chunks of the search.
val Search(const std::string &optionsText, val progress) {
    UseBuiltInMaterials();
    std::map<std::string, std::string> options;
    std::string error;
    if (auto problem = ReadOptions(optionsText, options)) {
        error = *problem;
    }
    SearchArguments arguments;
    if (error.empty()) {
        std::set<std::string> switches;
        for (const SearchOptionSpec &spec : SearchOptionSpecs()) {
            if (*spec.valueName == '\0') {
                switches.insert(spec.name);
            }
        }
        for (const auto &[name, text] : options) {
            if (switches.count(name) != 0) {
                if (SwitchSet(text)) {
                    arguments.flags.insert(name);
                }
            } else {
                arguments.values[name] = text;
            }
        }
        arguments.values["format"] = "json"; // the page reads the JSON
        if (arguments.flags.count("torsion") > 0) {
            return SearchTorsionPrinted(arguments, progress);
        }
    }
    std::optional<SearchSetup> setup;
    if (error.empty()) {
        setup = BuildSearch(arguments, error);
    }
    if (!setup) {
        return Printed(kUsage, RefusedJsonText(error),
                       "orsela-cli: " + error + "\n用法见 orsela-cli search --help\n");
    }
    std::string err;
    for (const std::string &note : setup->notes) {
        err += note + "\n";
    }
    SearchOptions searchOptions;
    searchOptions.checks = ChecksFor(*setup);
    searchOptions.onCallingThread = true;
    if (!progress.isUndefined() && !progress.isNull()) {
        searchOptions.progress = [&progress](const SearchProgress &p) {
            progress(p.pass, static_cast<double>(p.done), static_cast<double>(p.total));
        };
    }
    const SearchOutcome outcome = SearchDesigns(setup->request, searchOptions);
    return Printed(outcome.best.empty() ? kStopped : kCompleted,
                   DumpJson(SearchOutcomeJson(outcome, setup->request), 2) + "\n", err);
}

// What orsela-cli batch prints for the table and the options; progress(rows)
// after each chunk of rows.
val Batch(const std::string &csvText, const std::string &optionsText, val progress) {
    UseBuiltInMaterials();
    const auto refuse = [](const std::string &message, bool json) {
        return Printed(kUsage, json ? RefusedJsonText(message) : "",
                       "orsela-cli: " + message + "\n用法见 orsela-cli batch --help\n");
    };
    std::map<std::string, std::string> options;
    if (auto problem = ReadOptions(optionsText, options)) {
        return refuse(*problem, false);
    }
    bool json = false;
    bool withInputs = false;
    bool byteOrderMark = false;
    DesignRequest base;
    for (const auto &[name, text] : options) {
        if (name == "format") {
            if (text != "csv" && text != "json") {
                return refuse("--format 只能是 csv 或 json: " + text, false);
            }
            json = text == "json";
        } else if (name == "with-inputs") {
            withInputs = SwitchSet(text);
        } else if (name == "bom") {
            byteOrderMark = SwitchSet(text);
        } else if (const RequestOption *option = FindRequestOption(name)) {
            const std::string stored = option->isFlag() ? (SwitchSet(text) ? "1" : "") : text;
            if (auto refused = option->store(base, stored)) {
                return refuse("--" + name + ": " + *refused, false);
            }
        } else {
            return refuse("未知选项 --" + name, json);
        }
    }
    std::istringstream input(csvText);
    CsvReader reader(input);
    CsvRecord header;
    if (!reader.next(header)) {
        return Printed(kUsage, "", "orsela-cli batch: 设计表是空的, 没有表头\n");
    }
    BatchColumns columns;
    if (auto problem = ResolveBatchColumns(header, columns)) {
        return Printed(kUsage, "", "orsela-cli batch: " + *problem + "\n");
    }
    if (withInputs) {
        columns.repeatedInputs.assign(header.cells.begin(),
                                      header.cells.begin() + static_cast<long>(header.size()));
    }
    columns.torsionColumns = columns.torsionColumns || base.torsion.torsion;
    const bool withChecks = base.checks.check || columns.hasCheckColumn;
    std::string out = !json && byteOrderMark ? "\xEF\xBB\xBF" : "";
    if (!json) {
        AppendCsvHeader(out, withChecks, columns);
    }
    std::string err;
    std::set<std::string> problemsTold;
    std::array<std::size_t, 4> counts{};
    std::size_t rows = 0;
    DesignRequest scratch;
    CsvRecord record;
    const bool report = !progress.isUndefined() && !progress.isNull();
    while (reader.next(record)) {
        ++rows;
        const BatchRowOutcome outcome = JudgeBatchRow(record, columns, base, scratch);
        ++counts[static_cast<std::size_t>(outcome.status)];
        if (!outcome.materialNotes.empty() || !outcome.checkNotes.empty()) {
            for (const std::string &problem :
                 SharedMaterials(scratch.materials.materialsFile).problems) {
                if (problemsTold.insert(problem).second) {
                    err += "orsela-cli batch: " + problem + "\n";
                }
            }
        }
        if (json) {
            AppendJsonLine(out, rows, outcome, columns, record);
        } else {
            AppendCsvResultRow(out, rows, outcome, withChecks, columns, record, byteOrderMark);
        }
        if (report && rows % 512 == 0) {
            progress(static_cast<double>(rows));
        }
    }
    const std::size_t refused = counts[static_cast<std::size_t>(DesignStatus::Refused)];
    err += "orsela-cli batch: " + BatchSummary(rows, counts) + "\n";
    return Printed(refused > 0 ? kUsage : kCompleted, out, err);
}

std::string MaterialsList() {
    UseBuiltInMaterials();
    return SharedMaterials(std::nullopt).catalog.entries.empty()
               ? "[]\n"
               : MaterialsListJson(SharedMaterials(std::nullopt).catalog).dump(2) + "\n";
}

// One grade as `orsela-cli materials NAME [--wire-diameter=D] --format=json`
// prints it; null for a grade the data does not know. NaN: no diameter.
val Material(const std::string &name, double wireDiameter) {
    UseBuiltInMaterials();
    const MaterialCatalog &catalog = SharedMaterials(std::nullopt).catalog;
    const MaterialEntry *entry = FindMaterial(catalog, name);
    if (entry == nullptr) {
        return val::null();
    }
    const std::optional<double> d = std::isfinite(wireDiameter) && wireDiameter > 0.0
                                        ? std::optional(wireDiameter)
                                        : std::nullopt;
    return val(MaterialJson(catalog, *entry, d).dump(2) + "\n");
}

val SetUserMaterials(const std::string &text) {
    UseBuiltInMaterials();
    if (auto problem = UseMaterialsTexts(kBuiltInMaterialsText, text)) {
        return Failure(*problem);
    }
    val result = val::object();
    result.set("ok", true);
    return result;
}

// The request as --save-design writes it.
val DesignFile(const std::string &requestText, const std::string &fileName) {
    UseBuiltInMaterials();
    const DesignFileRead read =
        ReadDesignText(requestText, fileName.empty() ? kRequestName : fileName);
    if (!read.request) {
        return Failure(read.error);
    }
    return Success("text", val(DesignFileText(*read.request)));
}

// Which window field each numeric option types into, and its caption.
val Fields() {
    val fields = val::array();
    const auto add = [&fields](const char *option, const char *textBox) {
        val field = val::object();
        field.set("option", option);
        field.set("textBox", textBox);
        field.set("caption", std::string(FieldCaption(textBox)));
        fields.call<void>("push", field);
    };
    add("material", "Text1");
    for (std::size_t i = 0; i < kNumericFields.size(); ++i) {
        add(NumericOptionName(i), kNumericFields[i].textBox);
    }
    return fields;
}

} // namespace

EMSCRIPTEN_BINDINGS(orsela_workbench) {
    emscripten::function("judgeRequest", &Judge);
    emscripten::function("engineeringReportOf", &EngineeringReport);
    emscripten::function("chartsOf", &Charts);
    emscripten::function("drawingOf", &DrawingOf);
    emscripten::function("runSearch", &Search);
    emscripten::function("runBatch", &Batch);
    emscripten::function("materialsList", &MaterialsList);
    emscripten::function("materialAt", &Material);
    emscripten::function("setUserMaterials", &SetUserMaterials);
    emscripten::function("designFileOf", &DesignFile);
    emscripten::function("fieldMap", &Fields);
}
