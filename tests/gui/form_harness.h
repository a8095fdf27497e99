#pragma once

#include "fake_user_dialogs.h"
#include "form_tan_huang.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <memory>
#include <string>

// A shown and active main window with fake dialogs, as a user meets it.
class FormHarness {
  public:
    explicit FormHarness(std::string decimalSeparator = ".")
        : form(std::make_unique<FormTanHuang>(dialogs, std::move(decimalSeparator))) {
        form->setFatalErrorHandler([this](const QString &message) { fatalErrors << message; });
        form->show();
        form->activateWindow();
        active = QTest::qWaitForWindowActive(form.get());
    }

    QLineEdit *text(int n) const { return form->text(n); }
    QRadioButton *option(int n) const { return form->option(n); }
    QPushButton *command(int n) const { return form->command(n); }

    // Lets queued window events run, among them the exit check of a field
    // just left.
    static void settle() {
        for (int i = 0; i < 3; ++i) {
            QCoreApplication::processEvents();
        }
    }

    // Puts the focus into a field as the user does and lets it settle.
    void enter(int n) const {
        text(n)->setFocus(Qt::MouseFocusReason);
        settle();
    }

    // Types text into field n (replacing its text) and leaves it for Text1,
    // which has no check of its own.
    void typeAndLeave(int n, const QString &typed) const {
        enter(n);
        text(n)->setText(typed);
        text(1)->setFocus(Qt::TabFocusReason);
        settle();
    }

    // Makes a numeric field enabled by the switches that govern it.
    void enableField(int n) const {
        if (n == 10 || n == 11 || n == 12) {
            option(4)->click();
        }
        if (n == 18 || n == 24) {
            option(2)->click();
        }
    }

    QString focusName() const {
        QWidget *focus = QApplication::focusWidget();
        return focus == nullptr ? QString() : focus->objectName();
    }

    FakeUserDialogs dialogs;
    std::unique_ptr<FormTanHuang> form;
    QStringList fatalErrors;
    bool active = false;
};
