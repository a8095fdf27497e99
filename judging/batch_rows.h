#pragma once

#include "csv_reader.h"
#include "design_request.h"
#include "judge_design.h"
#include "judge_torsion.h"
#include "request_options.h"

#include <array>
#include <string>
#include <vector>

// The columns of a design table, resolved once from its header.
struct BatchColumns {
    std::vector<const RequestOption *> options; // one per header cell
    bool hasCheckColumn = false;                // a "check" column turns the checks on per row
    // The header's column names, for repeating a row's input cells with its
    // result; empty unless they are asked for.
    std::vector<std::string> repeatedInputs;
    // The table may hold torsion springs (a "torsion" column, or --torsion
    // given to the batch): the CSV then has their result and check columns.
    bool torsionColumns = false;
};

// One judged row. A torsion spring's row holds its outcome in torsion, and
// the base's status and message are the torsion outcome's.
struct BatchRowOutcome : DesignOutcome {
    std::optional<TorsionOutcome> torsion;
};

// The ids of every check either spring type can have, in the order the
// checks run (compression first), then with torsion those of the torsion
// spring not already there: the check columns of the CSV output.
const std::vector<std::string> &BatchCheckIds(bool withTorsion = false);

// The torsion result keys that the other kinds' result columns do not hold,
// in the order of the torsion results: the CSV's torsion result columns.
const std::vector<std::string> &TorsionOnlyResultKeys();

// Resolves the header: every cell names a design option (without "--"),
// none twice. Returns a Chinese message when it does not.
std::optional<std::string> ResolveBatchColumns(const CsvRecord &header, BatchColumns &columns);

// Judges one row: starts from base (the defaults and the options given to
// the batch), stores each non-empty cell as its option would, and judges the
// design exactly as the single design is judged (a torsion spring by
// JudgeTorsionDesign, the others by JudgeDesign). A row that breaks the CSV
// grammar, has more or fewer cells than the header or holds a cell that its
// option refuses is judged refused with its reason.
BatchRowOutcome JudgeBatchRow(const CsvRecord &record, const BatchColumns &columns,
                              const DesignRequest &base, DesignRequest &scratch);

// The output rows: CSV (row, status, message, the sixteen results and
// TotalCoils, with columns.torsionColumns TorsionOnlyResultKeys(), then with the checks
// "<id>.value", "<id>.limit" and "<id>.verdict" for each of BatchCheckIds(), empty where a design
// has no such check) or a JSON line (the single design's object with "row" first). A torsion row
// fills the result columns named as its results (SpringIndex, ...) and leaves the others empty.
// With columns.repeatedInputs the row's input cells follow "row" under their
// own names (CSV) or make an "inputs" object (JSON).
// The closing count of a judged table: "N 行: 完成 a, 中止 b, 拒绝 c, 计算错误 d",
// counts indexed by DesignStatus.
std::string BatchSummary(std::size_t rows, const std::array<std::size_t, 4> &counts);

void AppendCsvHeader(std::string &out, bool withChecks, const BatchColumns &columns);
// chineseVerdicts: the verdict cells in the words of the text output (合格,
// 注意, ...), for a spreadsheet read on a Chinese Windows (--bom).
void AppendCsvResultRow(std::string &out, std::size_t row, const BatchRowOutcome &outcome,
                        bool withChecks, const BatchColumns &columns, const CsvRecord &record,
                        bool chineseVerdicts = false);
void AppendJsonLine(std::string &out, std::size_t row, const BatchRowOutcome &outcome,
                    const BatchColumns &columns, const CsvRecord &record);
