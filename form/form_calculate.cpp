// The Calculate command: settle the field just left, then let the form model
// read the inputs, calculate and write the results; the window puts the
// focus into a field that cannot be converted.
#include "form_tan_huang.h"

#include "fatal_error.h"

#include <QLineEdit>
#include <QPushButton>
#include <QScopeGuard>

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
        copyTextsToModel();
        const CalculateOutcome outcome = model_.calculate();
        if (outcome.end != CalculateEnd::InputError) {
            return;
        }
        // To the field, where the user can mend it; a disabled one keeps the
        // focus where it was.
        auto *field = findChild<QLineEdit *>(QString::fromStdString(outcome.field));
        if (field != nullptr && field->isEnabled()) {
            field->setFocus(Qt::OtherFocusReason);
            NumericField_GotFocus(field);
        }
    } catch (const std::exception &error) {
        fatalError_(FatalErrorMessage(error));
    }
}
