// The Calculate command: settle the field just left, read the sixteen
// inputs, run the calculation, answer its notifications and show the
// sixteen results.
#include "form_tan_huang.h"

#include "calculate_spring.h"
#include "calculation_error.h"
#include "fatal_error.h"
#include "field_check.h"
#include "number_format.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

#include <array>

namespace {

struct InputField {
    int textBox;
    float SpringDesign::*quantity;
};

// The numeric inputs in the order they are read; Text1 (the material) comes
// first and is copied as text.
constexpr std::array<InputField, 15> kInputs = {{
    {2, &SpringDesign::ShearModulus},
    {3, &SpringDesign::AllowableShearStress},
    {4, &SpringDesign::ActiveCoils},
    {19, &SpringDesign::TotalCoils},
    {5, &SpringDesign::MeanDiameter},
    {6, &SpringDesign::WireDiameter},
    {9, &SpringDesign::WorkingHeight1},
    {8, &SpringDesign::WorkingHeight2},
    {7, &SpringDesign::WorkingHeight3},
    {12, &SpringDesign::WorkingLoad1},
    {11, &SpringDesign::WorkingLoad2},
    {10, &SpringDesign::WorkingLoad3},
    {18, &SpringDesign::Pitch},
    {24, &SpringDesign::InitialTension},
    {13, &SpringDesign::FreeHeight},
}};

enum class Pattern { OneDecimal, ThreeDecimals };

struct ResultField {
    int textBox;
    float SpringDesign::*quantity;
    Pattern pattern;
};

// Heights and the developed length with one decimal, the rest with three.
// Both working-point columns are written, the given one as well.
constexpr std::array<ResultField, 16> kResults = {{
    {13, &SpringDesign::FreeHeight, Pattern::OneDecimal},
    {9, &SpringDesign::WorkingHeight1, Pattern::OneDecimal},
    {8, &SpringDesign::WorkingHeight2, Pattern::OneDecimal},
    {7, &SpringDesign::WorkingHeight3, Pattern::OneDecimal},
    {12, &SpringDesign::WorkingLoad1, Pattern::ThreeDecimals},
    {11, &SpringDesign::WorkingLoad2, Pattern::ThreeDecimals},
    {10, &SpringDesign::WorkingLoad3, Pattern::ThreeDecimals},
    {16, &SpringDesign::SpringIndex, Pattern::ThreeDecimals},
    {15, &SpringDesign::CurvatureFactor, Pattern::ThreeDecimals},
    {14, &SpringDesign::SpringRate, Pattern::ThreeDecimals},
    {18, &SpringDesign::Pitch, Pattern::ThreeDecimals},
    {22, &SpringDesign::DevelopedLength, Pattern::OneDecimal},
    {21, &SpringDesign::SlendernessRatio, Pattern::ThreeDecimals},
    {17, &SpringDesign::SolidHeight, Pattern::OneDecimal},
    {20, &SpringDesign::MaxShearStress, Pattern::ThreeDecimals},
    {23, &SpringDesign::HelixAngle, Pattern::ThreeDecimals},
}};

// A field text that Calculate cannot turn into a number. The window goes on;
// the message names the error as the user knows it.
class InputConversionError : public std::exception {
  public:
    explicit InputConversionError(NumericTextStatus status) : status_(status) {}
    const char *what() const noexcept override {
        return status_ == NumericTextStatus::TooLarge ? "溢出" : "类型不匹配";
    }

  private:
    NumericTextStatus status_;
};

} // namespace

// The run's notifications, turned into screen effects at their point in the
// sequence.
class WindowCalculationListener : public CalculationListener {
  public:
    explicit WindowCalculationListener(FormTanHuang &form) : form_(form) {}
    void warning(DesignWarning, const std::string &text) override {
        form_.dialogs_.showWarning(QString::fromStdString(text));
    }
    void totalCoilsReplaced(float totalCoils) override { form_.showTotalCoils(totalCoils); }

  private:
    FormTanHuang &form_;
};

void FormTanHuang::Command1_Click() {
    if (unloaded_ || calculating_) {
        return;
    }
    calculating_ = true;
    const auto done = qScopeGuard([this] { calculating_ = false; });
    try {
        // Leaving the field runs its check before anything is read.
        command(1)->setFocus(Qt::OtherFocusReason);
        runPendingExitChecks();
        if (InputInvalid_) {
            return;
        }
        SpringDesign_ = readInputs();
        const WorkingPointMode mode =
            option(3)->isChecked() ? WorkingPointMode::KnownHeights : WorkingPointMode::KnownLoads;
        WindowCalculationListener listener(*this);
        const CalculationOutcome outcome =
            CalculateSpring(SpringDesign_, SpringTypeSign_, mode, listener);
        if (!outcome.completed) {
            return; // stopped at a warning: the last results stay on screen
        }
        writeResults();
        lastCompleted_ =
            CompletedCalculation{SpringDesign_, SpringTypeSign_, SpringTypeName_.toStdString()};
        command(2)->setEnabled(true);
    } catch (const CalculationError &error) {
        // A design the formulas cannot evaluate (D = d, values beyond the
        // float range): tell the user and keep every input.
        dialogs_.showCritical(QString::fromUtf8(CalculationErrorName(error.kind())));
    } catch (const InputConversionError &error) {
        dialogs_.showCritical(QString::fromUtf8(error.what()));
    } catch (const std::exception &error) {
        fatalError_(FatalErrorMessage(error));
    }
}

SpringDesign FormTanHuang::readInputs() const {
    // Every field is read, disabled ones included; nothing is stored unless
    // all of them convert.
    SpringDesign design = SpringDesign_;
    design.Material = text(1)->text().toStdString();
    for (const InputField &input : kInputs) {
        const NumericText parsed =
            ParseNumericText(text(input.textBox)->text().toStdString(), decimalSeparator_);
        if (parsed.status != NumericTextStatus::Ok) {
            throw InputConversionError(parsed.status);
        }
        design.*input.quantity = parsed.value;
    }
    return design;
}

void FormTanHuang::writeResults() {
    for (const ResultField &result : kResults) {
        const float value = SpringDesign_.*result.quantity;
        text(result.textBox)
            ->setText(result.pattern == Pattern::OneDecimal ? formatOneDecimal(value)
                                                            : formatThreeDecimals(value));
    }
}

void FormTanHuang::showTotalCoils(float totalCoils) {
    text(19)->setText(QString::fromStdString(FormatGeneral(totalCoils, decimalSeparator_)));
}

QString FormTanHuang::formatOneDecimal(float value) const {
    return QString::fromStdString(FormatOneDecimal(value, decimalSeparator_));
}

QString FormTanHuang::formatThreeDecimals(float value) const {
    return QString::fromStdString(FormatThreeDecimals(value, decimalSeparator_));
}
