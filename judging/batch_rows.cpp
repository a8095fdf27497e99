#include "batch_rows.h"

#include "check_texts.h"
#include "number_format.h"
#include "outcome_json.h"
#include "result_fields.h"
#include "torsion_outcome_json.h"

#include <algorithm>
#include <charconv>

namespace {

// Blanks around a header name are a spreadsheet's slip, not part of the name.
std::string_view Trimmed(std::string_view text) {
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t')) {
        text.remove_prefix(1);
    }
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t')) {
        text.remove_suffix(1);
    }
    return text;
}

bool EqualsIgnoringCase(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               return (x >= 'A' && x <= 'Z' ? x - 'A' + 'a' : x) ==
                      (y >= 'A' && y <= 'Z' ? y - 'A' + 'a' : y);
           });
}

// A switch cell: "1" or "true" sets it, "0" or "false" clears it (either case).
std::optional<bool> SwitchCell(std::string_view cell) {
    cell = Trimmed(cell);
    if (cell == "1" || EqualsIgnoringCase(cell, "true")) {
        return true;
    }
    if (cell == "0" || EqualsIgnoringCase(cell, "false")) {
        return false;
    }
    return std::nullopt;
}

std::string Count(std::size_t n) {
    return std::to_string(n);
}

BatchRowOutcome Refused(std::string message) {
    BatchRowOutcome outcome;
    outcome.status = DesignStatus::Refused;
    outcome.message = std::move(message);
    return outcome;
}

std::string RowMessage(const DesignOutcome &outcome) {
    if (!outcome.message.empty() || outcome.status != DesignStatus::Completed) {
        return outcome.message;
    }
    std::string joined;
    for (const std::string &warning : outcome.warnings) {
        joined += (joined.empty() ? "" : "\n") + warning;
    }
    return joined;
}

} // namespace

std::optional<std::string> ResolveBatchColumns(const CsvRecord &header, BatchColumns &columns) {
    if (!header.error.empty()) {
        return "设计表的表头 (第 " + Count(header.line) + " 行): " + header.error;
    }
    columns.options.clear();
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string_view name = Trimmed(header[i]);
        const RequestOption *option = FindRequestOption(name);
        if (option == nullptr) {
            return "设计表的第 " + Count(i + 1) + " 列“" + std::string(name) +
                   "”不是设计选项 (列名是选项名去掉 \"--\", 如 wire-diameter)";
        }
        if (std::find(columns.options.begin(), columns.options.end(), option) !=
            columns.options.end()) {
            return "设计表的列“" + std::string(name) + "”出现了两次";
        }
        columns.options.push_back(option);
        columns.hasCheckColumn = columns.hasCheckColumn || option->name == "check";
        columns.torsionColumns = columns.torsionColumns || option->name == "torsion";
    }
    return std::nullopt;
}

namespace {

// A torsion spring with every working point, a mass and a check of each kind:
// the torsion library decides which results and checks there are.
DesignRequest SampleTorsionSpring() {
    DesignRequest torsion;
    torsion.torsion.torsion = true;
    torsion.checks.check = true;
    torsion.checks.elasticModulus = "206000";
    torsion.checks.density = "7.85";
    torsion.torsion.workingAngles = {"30", "60", "90"};
    return torsion;
}

void AddNew(std::vector<std::string> &all, const std::string &id) {
    if (std::find(all.begin(), all.end(), id) == all.end()) {
        all.push_back(id);
    }
}

} // namespace

const std::vector<std::string> &BatchCheckIds(bool withTorsion) {
    static const std::vector<std::string> ids = [] {
        // The sample design of each spring type, checked: the checks library
        // decides which checks there are.
        DesignRequest compression;
        compression.checks.check = true;
        DesignRequest extension = compression;
        extension.extension = true;
        extension.knownLoads = true;
        extension.numericTexts[NumericFieldIndex("InitialTension")] = "50";
        extension.numericTexts[NumericFieldIndex("WorkingLoad1")] = "100";
        extension.numericTexts[NumericFieldIndex("WorkingLoad2")] = "200";
        extension.numericTexts[NumericFieldIndex("WorkingLoad3")] = "300";
        std::vector<std::string> all;
        for (const DesignRequest *request : {&compression, &extension}) {
            for (const CheckResult &check : JudgeDesign(*request).checks) {
                AddNew(all, check.id);
            }
        }
        return all;
    }();
    static const std::vector<std::string> withTorsionIds = [] {
        std::vector<std::string> all = ids;
        for (const CheckResult &check : JudgeTorsionDesign(SampleTorsionSpring()).checks) {
            AddNew(all, check.id);
        }
        return all;
    }();
    return withTorsion ? withTorsionIds : ids;
}

const std::vector<std::string> &TorsionOnlyResultKeys() {
    static const std::vector<std::string> keys = [] {
        std::vector<std::string> only;
        for (const TorsionResultRow &row :
             TorsionResultRows(JudgeTorsionDesign(SampleTorsionSpring()))) {
            const bool shared =
                std::any_of(ResultFields().begin(), ResultFields().end(),
                            [&](const ResultField &field) { return row.key == field.designField; });
            if (!shared) {
                only.push_back(row.key);
            }
        }
        return only;
    }();
    return keys;
}

BatchRowOutcome JudgeBatchRow(const CsvRecord &record, const BatchColumns &columns,
                              const DesignRequest &base, DesignRequest &scratch) {
    const std::string where = "第 " + Count(record.line) + " 行: ";
    if (!record.error.empty()) {
        return Refused(where + record.error);
    }
    const std::size_t expected = columns.options.size();
    if (record.size() == 1 && record[0].empty() && expected != 1) {
        return Refused(where + "空行");
    }
    if (record.size() != expected) {
        return Refused(where + "有 " + Count(record.size()) + " 个单元格, 表头有 " +
                       Count(expected) + " 列");
    }
    scratch = base;
    for (std::size_t i = 0; i < expected; ++i) {
        const std::string &cell = record[i];
        if (cell.empty()) {
            continue; // the option's default, or what the batch was given
        }
        const RequestOption &option = *columns.options[i];
        if (option.isFlag()) {
            const std::optional<bool> set = SwitchCell(cell);
            if (!set) {
                return Refused(where + option.name + " 列只能是 1、true、0、false 或空");
            }
            option.store(scratch, *set ? "1" : "");
            continue;
        }
        if (auto refused = option.store(scratch, cell)) {
            return Refused(where + "--" + option.name + ": " + *refused);
        }
    }
    BatchRowOutcome outcome;
    if (scratch.torsion.torsion) {
        outcome.torsion = JudgeTorsionDesign(scratch);
        outcome.status = outcome.torsion->status;
        if (outcome.status == DesignStatus::Refused) {
            outcome.torsion->message = where + outcome.torsion->message;
        }
        outcome.message = outcome.torsion->message;
        return outcome;
    }
    static_cast<DesignOutcome &>(outcome) = JudgeDesign(scratch);
    if (outcome.status == DesignStatus::Refused) {
        outcome.message = where + outcome.message; // a field's refusal names its row's line
    }
    return outcome;
}

namespace {

// A row's cell under the i-th header name; empty where the row has fewer.
std::string InputCell(const CsvRecord &record, std::size_t i) {
    return i < record.size() ? record[i] : std::string();
}

// An echoed cell that a spreadsheet would take for a formula ("=1+2",
// "@SUM(A1)", "-5" included) gets the leading apostrophe spreadsheet programs
// read as "text": a design table from elsewhere runs nothing when the result
// is opened. Tab and carriage return lead formulas in some programs too.
std::string SpreadsheetText(std::string cell) {
    if (!cell.empty() &&
        std::string_view("=+-@\t\r").find(cell.front()) != std::string_view::npos) {
        cell.insert(cell.begin(), '\'');
    }
    return cell;
}

} // namespace

void AppendCsvHeader(std::string &out, bool withChecks, const BatchColumns &columns) {
    out += "row";
    for (const std::string &name : columns.repeatedInputs) {
        out += ',';
        AppendCsvCell(out, SpreadsheetText(name));
    }
    out += ",status,message";
    for (const ResultField &field : ResultFields()) {
        out += ',';
        out += field.designField;
    }
    out += ",TotalCoils";
    if (columns.torsionColumns) {
        for (const std::string &key : TorsionOnlyResultKeys()) {
            out += ',' + key;
        }
    }
    if (withChecks) {
        for (const std::string &id : BatchCheckIds(columns.torsionColumns)) {
            out += ',' + id + ".value," + id + ".limit," + id + ".verdict";
        }
    }
    AppendCsvRecordEnd(out);
}

void AppendCsvResultRow(std::string &out, std::size_t row, const BatchRowOutcome &outcome,
                        bool withChecks, const BatchColumns &columns, const CsvRecord &record,
                        bool chineseVerdicts) {
    char number[24];
    out.append(number, std::to_chars(number, number + sizeof number, row).ptr);
    for (std::size_t i = 0; i < columns.repeatedInputs.size(); ++i) {
        out += ',';
        AppendCsvCell(out, SpreadsheetText(InputCell(record, i)));
    }
    out += ',';
    out += DesignStatusName(outcome.status);
    out += ',';
    AppendCsvCell(out, RowMessage(outcome));
    const bool completed = outcome.status == DesignStatus::Completed;
    const std::vector<TorsionResultRow> torsionRows =
        outcome.torsion ? TorsionResultRows(*outcome.torsion) : std::vector<TorsionResultRow>();
    const auto torsionText = [&torsionRows](std::string_view key) {
        const auto found = std::find_if(torsionRows.begin(), torsionRows.end(),
                                        [&](const TorsionResultRow &r) { return r.key == key; });
        return found != torsionRows.end() ? found->text : std::string();
    };
    for (const ResultField &field : ResultFields()) {
        out += ',';
        if (outcome.torsion) {
            out += torsionText(field.designField);
        } else if (completed) {
            out += FormatResult(field, outcome.design);
        }
    }
    out += ',';
    if (completed && !outcome.torsion) {
        out += FormatGeneral(outcome.design.TotalCoils);
    }
    if (columns.torsionColumns) {
        for (const std::string &key : TorsionOnlyResultKeys()) {
            out += ',';
            out += torsionText(key);
        }
    }
    if (withChecks) {
        const CheckResults &checks = outcome.torsion ? outcome.torsion->checks : outcome.checks;
        for (const std::string &id : BatchCheckIds(columns.torsionColumns)) {
            const auto check = std::find_if(checks.begin(), checks.end(),
                                            [&](const CheckResult &c) { return c.id == id; });
            out += ',';
            if (check != checks.end()) {
                out += CheckNumberText(check->value);
                out += ',';
                out += CheckNumberText(check->limit);
                out += ',';
                out += chineseVerdicts ? CheckVerdictWord(check->verdict)
                                       : CheckVerdictName(check->verdict);
            } else {
                out += ",,";
            }
        }
    }
    AppendCsvRecordEnd(out);
}

void AppendJsonLine(std::string &out, std::size_t row, const BatchRowOutcome &outcome,
                    const BatchColumns &columns, const CsvRecord &record) {
    nlohmann::ordered_json line;
    line["row"] = row;
    if (!columns.repeatedInputs.empty()) {
        nlohmann::ordered_json inputs = nlohmann::ordered_json::object();
        for (std::size_t i = 0; i < columns.repeatedInputs.size(); ++i) {
            inputs[columns.repeatedInputs[i]] = InputCell(record, i);
        }
        line["inputs"] = std::move(inputs);
    }
    nlohmann::ordered_json object =
        outcome.torsion ? TorsionOutcomeJson(*outcome.torsion) : OutcomeJson(outcome);
    for (auto &[key, value] : object.items()) {
        line[key] = std::move(value);
    }
    out += DumpJson(line);
    out += '\n';
}

std::string BatchSummary(std::size_t rows, const std::array<std::size_t, 4> &counts) {
    const auto count = [&counts](DesignStatus status) {
        return std::to_string(counts[static_cast<std::size_t>(status)]);
    };
    return std::to_string(rows) + " 行: 完成 " + count(DesignStatus::Completed) + ", 中止 " +
           count(DesignStatus::Stopped) + ", 拒绝 " + count(DesignStatus::Refused) + ", 计算错误 " +
           count(DesignStatus::Fault);
}
