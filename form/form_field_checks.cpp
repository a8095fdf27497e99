// Entry and exit checks of the fifteen numeric input fields.
//
// Leaving a field does not check it inside the focus-out event: the check is
// queued and runs once the focus change has been delivered (the yield before
// the numeric test). A command that takes the focus and then reads the flag
// or the fields runs the queued check itself first. While a check runs, and
// while it puts the focus back into its field, further focus-outs are not
// checks of their own: a refused field never sends the focus into another
// refused field and back, and one exit shows at most one box.
//
// A window that is not active gets no focus events: a click that activates
// it and moves the focus in one go, or a focus put back while a box was
// open, is noticed by the field being edited no longer holding the focus.
#include "form_tan_huang.h"

#include "field_check.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

namespace {

// How long to wait before looking again while a mouse button is held: a
// check must not open its box between the press and the release of a click.
constexpr int kMouseHeldRetryMs = 20;

class ScopedFlag {
  public:
    explicit ScopedFlag(bool &flag) : flag_(flag) { flag_ = true; }
    ~ScopedFlag() { flag_ = false; }
    ScopedFlag(const ScopedFlag &) = delete;
    ScopedFlag &operator=(const ScopedFlag &) = delete;

  private:
    bool &flag_;
};

} // namespace

bool FormTanHuang::isNumericField(const QObject *object) const {
    const auto *field = qobject_cast<const QLineEdit *>(object);
    return field != nullptr && field->parent() != nullptr &&
           FindNumericFieldByTextBox(field->objectName().toStdString()) != nullptr;
}

void FormTanHuang::NumericField_GotFocus(QLineEdit *field) {
    fieldBeingEdited_ = field;
    // Typing replaces the whole text.
    field->setSelection(0, static_cast<int>(field->text().size()));
}

void FormTanHuang::NumericField_LostFocus(QLineEdit *field, Qt::FocusReason reason) {
    // A message box or a menu taking the focus is not leaving the field.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
        reason == Qt::MenuBarFocusReason) {
        return;
    }
    fieldLeft(field);
}

void FormTanHuang::focusMovedWithin(QWidget *now) {
    if (now == nullptr || now->window() != this || fieldBeingEdited_.isNull() ||
        now == fieldBeingEdited_) {
        return;
    }
    fieldLeft(fieldBeingEdited_);
}

void FormTanHuang::fieldLeft(QLineEdit *field) {
    if (unloaded_ || exitCheckRunning_ || returningFocus_) {
        return;
    }
    if (fieldBeingEdited_ == field) {
        fieldBeingEdited_ = nullptr;
    }
    // Leaving for Exit is never held up by a check.
    if (focusWidget() == command(3)) {
        return;
    }
    pendingExitChecks_.append(field);
    scheduleExitChecks();
}

void FormTanHuang::scheduleExitChecks() {
    if (exitCheckScheduled_) {
        return;
    }
    exitCheckScheduled_ = true;
    QMetaObject::invokeMethod(
        this,
        [this] {
            exitCheckScheduled_ = false;
            if (QApplication::mouseButtons() != Qt::NoButton) {
                exitCheckScheduled_ = true;
                QTimer::singleShot(kMouseHeldRetryMs, this, [this] {
                    exitCheckScheduled_ = false;
                    if (QApplication::mouseButtons() != Qt::NoButton) {
                        scheduleExitChecks();
                    } else {
                        runPendingExitChecks();
                    }
                });
                return;
            }
            runPendingExitChecks();
        },
        Qt::QueuedConnection);
}

void FormTanHuang::runPendingExitChecks() {
    if (exitCheckRunning_) {
        return; // the check already running goes on with the rest
    }
    focusMovedWithin(focusWidget());
    while (!pendingExitChecks_.isEmpty() && !unloaded_) {
        const QPointer<QLineEdit> field = pendingExitChecks_.takeFirst();
        if (field.isNull()) {
            continue;
        }
        if (!runExitCheck(field)) {
            // The focus is back in the refused field: the fields left on the
            // way are checked when they are left again.
            pendingExitChecks_.clear();
        }
    }
}

bool FormTanHuang::runExitCheck(QLineEdit *field) {
    const ScopedFlag running(exitCheckRunning_);
    if (!CheckNumeric(field->text())) {
        returnFocusTo(field);
        return false;
    }
    const NumericField *row = FindNumericFieldByTextBox(field->objectName().toStdString());
    const FieldCheck check = CheckFieldText(*row, field->text().toStdString(), decimalSeparator_);
    if (check.verdict != FieldVerdict::Accepted) {
        // Out of range, or too large to hold: the field's own message, and
        // the flag set only once the box is closed.
        dialogs_.showWarning(QString::fromUtf8(check.message));
        InputInvalid_ = true;
        returnFocusTo(field);
        return false;
    }
    return true;
}

bool FormTanHuang::CheckNumeric(const QString &text) {
    const NumericText parsed = ParseNumericText(text.toStdString(), decimalSeparator_);
    if (parsed.status != NumericTextStatus::NotNumeric) {
        InputInvalid_ = false;
        return true;
    }
    InputInvalid_ = true;
    dialogs_.showWarning(QString::fromUtf8(kNotNumericMessage));
    return false;
}

void FormTanHuang::returnFocusTo(QLineEdit *field) {
    // A field that a switch has disabled meanwhile cannot take the focus; it
    // keeps its text and Calculate reports it if it is still wrong then.
    const ScopedFlag returning(returningFocus_);
    // A field entered on the way keeps no selection of its own.
    if (auto *passed = qobject_cast<QLineEdit *>(focusWidget());
        passed != nullptr && passed != field) {
        passed->deselect();
    }
    if (!field->isEnabled()) {
        fieldBeingEdited_ = nullptr;
        return;
    }
    field->setFocus(Qt::OtherFocusReason);
    // Entering it again selects the refused text, also when the window was
    // not active and the focus-in comes later.
    NumericField_GotFocus(field);
}
