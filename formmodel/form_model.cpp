// The form model's state, the spring type and input mode switches, the
// field exit checks and About.
#include "form_model.h"

#include "about_box.h"
#include "field_check.h"
#include "window_design.h"

#include <algorithm>
#include <stdexcept>
#include <utility>

namespace {

const char *const kCompressionName = "压缩弹簧";
const char *const kExtensionName = "拉伸弹簧";

} // namespace

FormModel::FormModel(FormView &view, std::string reportDate, std::string decimalSeparator)
    : view_(view), decimalSeparator_(std::move(decimalSeparator)) {
    restart(std::move(reportDate));
}

void FormModel::restart(std::string reportDate) {
    controls_.clear();
    for (const ControlDesign &design : WindowDesign()) {
        controls_.push_back({design.name, design.text, design.enabled, design.selected});
    }
    SpringDesign_ = SpringDesign{};
    InputInvalid_ = false;
    lastCompleted_.reset();
    // What the load handler sets.
    ReportDate_ = std::move(reportDate);
    SpringTypeSign_ = kCompressionSpring;
    SpringTypeName_ = kCompressionName;
}

const ControlState &FormModel::control(std::string_view name) const {
    const auto found = std::find_if(controls_.begin(), controls_.end(),
                                    [name](const ControlState &c) { return c.name == name; });
    if (found == controls_.end()) {
        throw std::out_of_range("no control named " + std::string(name));
    }
    return *found;
}

ControlState &FormModel::mutableControl(std::string_view name) {
    return const_cast<ControlState &>(std::as_const(*this).control(name));
}

void FormModel::typeText(std::string_view name, std::string text) {
    mutableControl(name).text = std::move(text);
}

void FormModel::setText(std::string_view name, std::string text) {
    mutableControl(name).text = std::move(text);
    view_.controlChanged(name);
}

void FormModel::setEnabled(std::string_view name, bool enabled) {
    mutableControl(name).enabled = enabled;
    view_.controlChanged(name);
}

void FormModel::selectOption(int number) {
    if (number < 1 || number > 4) {
        throw std::out_of_range("no option button " + std::to_string(number));
    }
    // Option1 and Option2 form one group, Option3 and Option4 the other.
    const int first = number <= 2 ? 1 : 3;
    for (int n = first; n <= first + 1; ++n) {
        mutableControl("Option" + std::to_string(n)).selected = n == number;
    }
    switch (number) {
    case 1:
        Option1_Click();
        break;
    case 2:
        Option2_Click();
        break;
    case 3:
        Option3_Click();
        break;
    default:
        Option4_Click();
        break;
    }
}

void FormModel::Option1_Click() {
    SpringTypeSign_ = kCompressionSpring;
    SpringTypeName_ = kCompressionName;
    setEnabled("Text17", true);
    setEnabled("Text21", true);
    setEnabled("Text13", true);
    setEnabled("Text18", false);
    setEnabled("Text24", false);
    setText("Text24", "0"); // a compression spring has no initial tension
    setEnabled("Text19", true);
}

void FormModel::Option2_Click() {
    SpringTypeSign_ = kExtensionSpring;
    SpringTypeName_ = kExtensionName;
    setEnabled("Text17", false);
    setEnabled("Text21", false);
    // An extension spring has neither a solid height nor a slenderness ratio.
    setText("Text17", "0");
    setText("Text21", "0");
    setEnabled("Text13", false);
    setEnabled("Text18", true);
    setEnabled("Text24", true);
    setEnabled("Text19", false);
}

void FormModel::Option3_Click() {
    setEnabled("Text7", true);
    setEnabled("Text8", true);
    setEnabled("Text9", true);
    setEnabled("Text10", false);
    setEnabled("Text11", false);
    setEnabled("Text12", false);
}

void FormModel::Option4_Click() {
    setEnabled("Text10", true);
    setEnabled("Text11", true);
    setEnabled("Text12", true);
    setEnabled("Text7", false);
    setEnabled("Text8", false);
    setEnabled("Text9", false);
}

bool FormModel::exitCheck(std::string_view name) {
    const NumericField *row = FindNumericFieldByTextBox(name);
    if (row == nullptr) {
        return true;
    }
    const std::string &text = control(name).text;
    // The numeric test sets the flag before its box, the range test after.
    if (ParseNumericText(text, decimalSeparator_).status == NumericTextStatus::NotNumeric) {
        InputInvalid_ = true;
        view_.showWarning(kNotNumericMessage);
        return false;
    }
    InputInvalid_ = false;
    const FieldCheck check = CheckFieldText(*row, text, decimalSeparator_);
    if (check.verdict != FieldVerdict::Accepted) {
        // Out of range, or too large to hold: the field's own message.
        view_.showWarning(check.message);
        InputInvalid_ = true;
        return false;
    }
    return true;
}

bool FormModel::about() {
    if (InputInvalid_) {
        return false;
    }
    view_.showInformation(AboutBoxTitle(), AboutBoxText());
    return true;
}
