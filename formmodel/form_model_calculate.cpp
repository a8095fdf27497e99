// Calculate: read the sixteen inputs, run the calculation, answer its
// notifications and write the sixteen results.
#include "form_model.h"

#include "calculate_spring.h"
#include "calculation_error.h"
#include "field_check.h"
#include "number_format.h"
#include "result_fields.h"
#include "window_design.h"

namespace {

// Unicode white space (separators and the C0/C1 layout controls): a field
// holding nothing else is empty to the user.
bool IsWhiteSpace(char32_t c) {
    return (c >= 0x09 && c <= 0x0D) || c == 0x20 || c == 0x85 || c == 0xA0 || c == 0x1680 ||
           (c >= 0x2000 && c <= 0x200A) || c == 0x2028 || c == 0x2029 || c == 0x202F ||
           c == 0x205F || c == 0x3000;
}

bool IsBlank(std::string_view utf8) {
    for (std::size_t i = 0; i < utf8.size();) {
        const auto lead = static_cast<unsigned char>(utf8[i]);
        const std::size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        if (lead >= 0x80 && (lead < 0xC2 || lead > 0xF4 || i + length > utf8.size())) {
            return false; // not UTF-8: something is there
        }
        char32_t c = length == 1 ? lead : lead & (0x7F >> length);
        for (std::size_t k = 1; k < length; ++k) {
            const auto next = static_cast<unsigned char>(utf8[i + k]);
            if ((next & 0xC0) != 0x80) {
                return false;
            }
            c = (c << 6) | (next & 0x3F);
        }
        if (!IsWhiteSpace(c)) {
            return false;
        }
        i += length;
    }
    return true;
}

// The box of a field text that cannot become a number: the field by its
// caption and the error as the user knows it. The window goes on.
std::string ConversionErrorMessage(const ControlState &field, NumericTextStatus status) {
    const std::string caption = FieldCaption(field.name);
    std::string text;
    if (status == NumericTextStatus::TooLarge) {
        text = "“" + caption + "”的数值太大 (溢出)。";
    } else if (IsBlank(field.text)) {
        text = "“" + caption + "”是空的, 不是一个数值 (类型不匹配)。";
    } else {
        text = "“" + caption + "”不是一个数值 (类型不匹配)。";
    }
    if (!field.enabled) {
        text += "\r\n这一栏现在不能编辑: 请先切换弹簧类型或已知条件, 改正后再计算。";
    }
    return text;
}

} // namespace

// The run's notifications, turned into the view's effects at their point in
// the sequence.
class ModelCalculationListener : public CalculationListener {
  public:
    explicit ModelCalculationListener(FormModel &model) : model_(model) {}
    void warning(DesignWarning, const std::string &text) override {
        model_.view_.showWarning(text);
    }
    void totalCoilsReplaced(float totalCoils) override {
        model_.setText("Text19", FormatGeneral(totalCoils, model_.decimalSeparator_));
    }

  private:
    FormModel &model_;
};

CalculateOutcome FormModel::calculate() {
    if (InputInvalid_) {
        return {CalculateEnd::Blocked, {}};
    }
    // Every field is read, disabled ones included, in the window's reading
    // order; nothing is stored unless all of them convert.
    SpringDesign design = SpringDesign_;
    design.Material = control("Text1").text;
    for (const NumericField &input : NumericFields()) {
        const ControlState &field = control(input.textBox);
        const NumericText parsed = ParseNumericText(field.text, decimalSeparator_);
        if (parsed.status != NumericTextStatus::Ok) {
            view_.showError(ConversionErrorMessage(field, parsed.status));
            return {CalculateEnd::InputError, input.textBox};
        }
        design.*input.quantity = parsed.value;
    }
    SpringDesign_ = std::move(design);

    const WorkingPointMode mode =
        control("Option3").selected ? WorkingPointMode::KnownHeights : WorkingPointMode::KnownLoads;
    ModelCalculationListener listener(*this);
    try {
        if (CalculateSpring(SpringDesign_, SpringTypeSign_, mode, listener).stoppedBy) {
            return {CalculateEnd::StoppedByWarning, {}};
        }
    } catch (const CalculationError &error) {
        view_.showError(CalculationErrorMessage(error));
        return {CalculateEnd::CalculationFault, {}};
    }
    writeResults();
    lastCompleted_ = ReportInput{SpringDesign_, SpringTypeSign_, SpringTypeName_, ReportDate_};
    setEnabled("Command2", true);
    return {CalculateEnd::Completed, {}};
}

void FormModel::writeResults() {
    for (const ResultField &result : ResultFields()) {
        setText(result.textBox, FormatResult(result, SpringDesign_, decimalSeparator_));
    }
}
