// Calculate: read the sixteen inputs, run the calculation, answer its
// notifications and write the sixteen results.
#include "form_model.h"

#include "calculate_spring.h"
#include "calculation_error.h"
#include "field_check.h"
#include "number_format.h"
#include "result_fields.h"

namespace {

// The box of a field text that cannot become a number.
const char *ConversionErrorMessage(NumericTextStatus status) {
    return status == NumericTextStatus::TooLarge ? "溢出" : "类型不匹配";
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
        const NumericText parsed = ParseNumericText(control(input.textBox).text, decimalSeparator_);
        if (parsed.status != NumericTextStatus::Ok) {
            view_.showError(ConversionErrorMessage(parsed.status));
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
