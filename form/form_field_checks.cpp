// Entry and exit checks of the fifteen numeric input fields. The order in
// which the checks run is the queue's (exit_check_queue.h), the check itself
// the form model's; the window selects the text on entry and puts the focus
// back into a refused field.
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
    // The model's check shows the box and sets InputInvalid; the focus goes
    // back into the field here.
    copyTextsToModel();
    if (!model_.exitCheck(field->objectName().toStdString())) {
        returnFocusTo(field);
        return false;
    }
    return true;
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
