#pragma once

#include "spring_design.h"

#include <span>
#include <string>
#include <string_view>

// The sixteen results a completed calculation shows, in the order the window
// writes them back: heights and the developed length with one decimal,
// everything else with three. Both working-point columns are shown, the
// given one as well.
enum class ResultPattern { OneDecimal, ThreeDecimals };

struct ResultField {
    const char *textBox;           // "Text13" ...
    const char *designField;       // the SpringDesign member, by name
    float SpringDesign::*quantity; // and the member itself
    ResultPattern pattern;
    const char *caption; // the window's caption beside the field
    const char *unit;    // "" for a plain number
};

std::span<const ResultField> ResultFields();

// The field's value as the window shows it.
std::string FormatResult(const ResultField &field, const SpringDesign &design,
                         std::string_view decimalSeparator = ".");
