#pragma once

#include "check_result.h"
#include "drawing_input.h"
#include "drawing_model.h"
#include "source_citations.h"

#include <cstddef>
#include <string>
#include <vector>

// The sections every kind's engineering report shares, appended to html.

// One cell pair of the values table: caption and the value with its unit.
struct ReportValue {
    std::string caption;
    std::string text;
};

// The values as a table of pairsPerRow caption-value pairs a row, the last
// row filled with empty cells.
void AppendValueRows(std::string &html, const std::vector<ReportValue> &values,
                     std::size_t pairsPerRow);

// Section numbers in Chinese, 一 to 七.
extern const char *const kNumerals[7];

// The checks as a table, each row's clause cited by number.
void AppendChecks(std::string &html, const CheckResults &checks, ReferenceList &references);

// The sources the rows cite by number, with their addresses; nothing when none.
void AppendReferences(std::string &html, const ReferenceList &references, int section);

// The title block's fields as the drawing carries them, blanks to fill in by hand.
void AppendTitleBlock(std::string &html, const TitleBlockFields &fields, const std::string &name,
                      const std::string &material, const std::string &date, const Drawing &drawing);
