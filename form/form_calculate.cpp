// The Calculate command: settle the field just left, read the sixteen
// inputs, run the calculation, answer its notifications and show the
// sixteen results.
#include "form_tan_huang.h"

#include "calculate_spring.h"
#include "calculation_error.h"
#include "fatal_error.h"
#include "field_check.h"
#include "number_format.h"
#include "result_fields.h"
#include "window_design.h"

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScopeGuard>

namespace {

// A field text that Calculate cannot turn into a number. The window goes on;
// the message names the field by its caption and the error as the user
// knows it.
class InputConversionError : public std::exception {
  public:
    InputConversionError(QLineEdit *field, NumericTextStatus status)
        : field_(field), status_(status) {}
    const char *what() const noexcept override {
        return status_ == NumericTextStatus::TooLarge ? "溢出" : "类型不匹配";
    }
    QLineEdit *field() const { return field_; }
    QString message() const {
        const QString caption = QString::fromUtf8(FieldCaption(field_->objectName().toStdString()));
        QString text;
        if (status_ == NumericTextStatus::TooLarge) {
            text = QStringLiteral("“%1”的数值太大 (溢出)。").arg(caption);
        } else if (field_->text().trimmed().isEmpty()) {
            text = QStringLiteral("“%1”是空的, 不是一个数值 (类型不匹配)。").arg(caption);
        } else {
            text = QStringLiteral("“%1”不是一个数值 (类型不匹配)。").arg(caption);
        }
        if (!field_->isEnabled()) {
            text += QStringLiteral(
                "\r\n这一栏现在不能编辑: 请先切换弹簧类型或已知条件, 改正后再计算。");
        }
        return text;
    }

  private:
    QLineEdit *field_;
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
        if (outcome.stoppedBy) {
            return; // stopped at a warning: the last results stay on screen
        }
        writeResults();
        lastCompleted_ =
            CompletedCalculation{SpringDesign_, SpringTypeSign_, SpringTypeName_.toStdString()};
        command(2)->setEnabled(true);
    } catch (const CalculationError &error) {
        // A design the formulas cannot evaluate (D = d, values beyond the
        // float range): tell the user and keep every input.
        dialogs_.showCritical(QString::fromStdString(CalculationErrorMessage(error)));
    } catch (const InputConversionError &error) {
        dialogs_.showCritical(error.message());
        // To the field, where the user can mend it; a disabled one keeps the
        // focus where it was.
        if (error.field()->isEnabled()) {
            error.field()->setFocus(Qt::OtherFocusReason);
            NumericField_GotFocus(error.field());
        }
    } catch (const std::exception &error) {
        fatalError_(FatalErrorMessage(error));
    }
}

SpringDesign FormTanHuang::readInputs() const {
    // Every field is read, disabled ones included, in the window's reading
    // order; nothing is stored unless all of them convert.
    SpringDesign design = SpringDesign_;
    design.Material = text(1)->text().toStdString();
    for (const NumericField &input : NumericFields()) {
        auto *field = findChild<QLineEdit *>(QString::fromUtf8(input.textBox));
        const NumericText parsed = ParseNumericText(field->text().toStdString(), decimalSeparator_);
        if (parsed.status != NumericTextStatus::Ok) {
            throw InputConversionError(field, parsed.status);
        }
        design.*input.quantity = parsed.value;
    }
    return design;
}

void FormTanHuang::writeResults() {
    for (const ResultField &result : ResultFields()) {
        findChild<QLineEdit *>(QString::fromUtf8(result.textBox))
            ->setText(
                QString::fromStdString(FormatResult(result, SpringDesign_, decimalSeparator_)));
    }
}

void FormTanHuang::showTotalCoils(float totalCoils) {
    text(19)->setText(QString::fromStdString(FormatGeneral(totalCoils, decimalSeparator_)));
}
