// Entry and exit checks of the fifteen numeric input fields. The order in
// which the checks run is the queue's (exit_check_queue.h); this is what one
// check does.
#include "form_tan_huang.h"

#include "field_check.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

bool FormTanHuang::isNumericField(const QObject *object) const {
    const auto *field = qobject_cast<const QLineEdit *>(object);
    return field != nullptr && field->parent() != nullptr &&
           FindNumericFieldByTextBox(field->objectName().toStdString()) != nullptr;
}

void FormTanHuang::NumericField_GotFocus(QLineEdit *field) {
    if (!unloaded_) {
        exitChecks_->entered(field);
    }
    // Typing replaces the whole text.
    field->setSelection(0, static_cast<int>(field->text().size()));
}

void FormTanHuang::NumericField_LostFocus(QLineEdit *field, Qt::FocusReason reason) {
    // A message box or a menu taking the focus is not leaving the field.
    if (reason == Qt::ActiveWindowFocusReason || reason == Qt::PopupFocusReason ||
        reason == Qt::MenuBarFocusReason) {
        return;
    }
    if (!unloaded_) {
        exitChecks_->left(field);
    }
}

void FormTanHuang::focusMovedWithin(QWidget *now) {
    if (now != nullptr && now->window() == this && !unloaded_) {
        exitChecks_->focusMoved(now);
    }
}

void FormTanHuang::runPendingExitChecks() {
    if (!unloaded_) {
        exitChecks_->runPending();
    }
}

bool FormTanHuang::runExitCheck(QLineEdit *field) {
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
    // A field entered on the way keeps no selection of its own.
    if (auto *passed = qobject_cast<QLineEdit *>(focusWidget());
        passed != nullptr && passed != field) {
        passed->deselect();
    }
    if (!field->isEnabled()) {
        exitChecks_->forgetEdited();
        return;
    }
    field->setFocus(Qt::OtherFocusReason);
    // Entering it again selects the refused text, also when the window was
    // not active and the focus-in comes later.
    NumericField_GotFocus(field);
}
