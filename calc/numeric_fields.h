#pragma once

#include "spring_design.h"

#include <array>
#include <string_view>

// The fifteen numeric input fields: their entry rules and the texts they
// hold when the program starts (the sample design), shared by the window and
// the command-line front end so that both start from the same design.

enum class RangeRule {
    RefuseZeroAndBelow, // value <= 0 refused
    RefuseBelowZero,    // value < 0 refused, zero accepted
};

struct NumericField {
    const char *textBox;           // "Text2" ... "Text24"
    const char *designField;       // the SpringDesign member it feeds, by name
    float SpringDesign::*quantity; // and the member itself
    RangeRule rule;
    const char *rangeMessage; // shown when the rule refuses the value
    const char *defaultText;  // the designed text of the sample design
};

// The material field's designed text.
inline constexpr const char *kDesignedMaterial = "70-C";

inline constexpr const char *kModulusMessage = "请输入一个合适的切变模量!";
inline constexpr const char *kAllowableMessage = "请输入一个合适的许用切应力!";
inline constexpr const char *kActiveCoilsMessage = "请输入一个合适的有效圈数!";
inline constexpr const char *kMeanDiameterMessage = "请输入一个合适的弹簧中径!";
inline constexpr const char *kWireDiameterMessage = "请输入一个合适的材料直径!";
inline constexpr const char *kHeightMessage = "请输入一个合适的工作高度!";
inline constexpr const char *kLoadMessage = "请输入一个合适的工作载荷!";
inline constexpr const char *kPitchMessage = "请输入一个合适的节距!";
inline constexpr const char *kTotalCoilsMessage = "请输入一个合适的总圈数!";
inline constexpr const char *kInitialTensionMessage = "请输入一个合适的拉伸弹簧初拉力!";

// In the order Calculate reads them. The free height shares the working
// height message: there has never been one of its own.
inline constexpr std::array<NumericField, 15> kNumericFields = {{
    // clang-format off
    {"Text2", "ShearModulus", &SpringDesign::ShearModulus, RangeRule::RefuseZeroAndBelow, kModulusMessage, "79000"},
    {"Text3", "AllowableShearStress", &SpringDesign::AllowableShearStress, RangeRule::RefuseZeroAndBelow, kAllowableMessage, "660"},
    {"Text4", "ActiveCoils", &SpringDesign::ActiveCoils, RangeRule::RefuseZeroAndBelow, kActiveCoilsMessage, "5"},
    {"Text19", "TotalCoils", &SpringDesign::TotalCoils, RangeRule::RefuseZeroAndBelow, kTotalCoilsMessage, "6.5"},
    {"Text5", "MeanDiameter", &SpringDesign::MeanDiameter, RangeRule::RefuseZeroAndBelow, kMeanDiameterMessage, "28"},
    {"Text6", "WireDiameter", &SpringDesign::WireDiameter, RangeRule::RefuseZeroAndBelow, kWireDiameterMessage, "4"},
    {"Text9", "WorkingHeight1", &SpringDesign::WorkingHeight1, RangeRule::RefuseZeroAndBelow, kHeightMessage, "40"},
    {"Text8", "WorkingHeight2", &SpringDesign::WorkingHeight2, RangeRule::RefuseZeroAndBelow, kHeightMessage, "36"},
    {"Text7", "WorkingHeight3", &SpringDesign::WorkingHeight3, RangeRule::RefuseZeroAndBelow, kHeightMessage, "28"},
    {"Text12", "WorkingLoad1", &SpringDesign::WorkingLoad1, RangeRule::RefuseBelowZero, kLoadMessage, "0"},
    {"Text11", "WorkingLoad2", &SpringDesign::WorkingLoad2, RangeRule::RefuseBelowZero, kLoadMessage, "0"},
    {"Text10", "WorkingLoad3", &SpringDesign::WorkingLoad3, RangeRule::RefuseBelowZero, kLoadMessage, "0"},
    {"Text18", "Pitch", &SpringDesign::Pitch, RangeRule::RefuseZeroAndBelow, kPitchMessage, "4"},
    {"Text24", "InitialTension", &SpringDesign::InitialTension, RangeRule::RefuseBelowZero, kInitialTensionMessage, "0"},
    {"Text13", "FreeHeight", &SpringDesign::FreeHeight, RangeRule::RefuseZeroAndBelow, kHeightMessage, "44"},
    // clang-format on
}};

// The designed text of a numeric field by its text box, usable where the
// window's layout is built at compile time; nullptr for any other box.
constexpr const char *DesignedText(std::string_view textBox) {
    for (const NumericField &field : kNumericFields) {
        if (textBox == field.textBox) {
            return field.defaultText;
        }
    }
    return nullptr;
}
