#pragma once

#include "csv_reader.h"
#include "design_request.h"
#include "judge_design.h"
#include "request_options.h"

#include <string>
#include <vector>

// The columns of a design table, resolved once from its header.
struct BatchColumns {
    std::vector<const RequestOption *> options; // one per header cell
};

// Resolves the header: every cell names a design option (without "--"),
// none twice. Returns a Chinese message when it does not.
std::optional<std::string> ResolveBatchColumns(const CsvRecord &header, BatchColumns &columns);

// Judges one row: starts from base (the defaults and the options given to
// the batch), stores each non-empty cell as its option would, and judges the
// design exactly as the single design is judged. A row that breaks the CSV
// grammar, has more or fewer cells than the header or holds a cell that its
// option refuses is judged refused with its reason.
DesignOutcome JudgeBatchRow(const CsvRecord &record, const BatchColumns &columns,
                            const DesignRequest &base, DesignRequest &scratch);

// The output rows: CSV (row, status, message, the sixteen results and
// TotalCoils) or a JSON line (the single design's object with "row" first).
void AppendCsvHeader(std::string &out);
void AppendCsvResultRow(std::string &out, std::size_t row, const DesignOutcome &outcome);
void AppendJsonLine(std::string &out, std::size_t row, const DesignOutcome &outcome);
