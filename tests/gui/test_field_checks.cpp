// The entry and exit checks of the fifteen numeric fields, and the order in
// which the check, its box, the flag and the focus move.
#include "form_harness.h"

#include <QTimer>

namespace {

const QString kNotNumeric = QStringLiteral("请输入一个数值!");

struct FieldRow {
    int number;
    bool acceptsZero;
    const char *message;
};

constexpr FieldRow kFieldRows[] = {
    {2, false, "请输入一个合适的切变模量!"},       {3, false, "请输入一个合适的许用切应力!"},
    {4, false, "请输入一个合适的有效圈数!"},       {5, false, "请输入一个合适的弹簧中径!"},
    {6, false, "请输入一个合适的材料直径!"},       {7, false, "请输入一个合适的工作高度!"},
    {8, false, "请输入一个合适的工作高度!"},       {9, false, "请输入一个合适的工作高度!"},
    {10, true, "请输入一个合适的工作载荷!"},       {11, true, "请输入一个合适的工作载荷!"},
    {12, true, "请输入一个合适的工作载荷!"},       {13, false, "请输入一个合适的工作高度!"},
    {18, false, "请输入一个合适的节距!"},          {19, false, "请输入一个合适的总圈数!"},
    {24, true, "请输入一个合适的拉伸弹簧初拉力!"},
};

enum class Expect { Accept, NotNumeric, FieldMessage, ZeroRule };

} // namespace

class FieldChecksTest : public QObject {
    Q_OBJECT

  private slots:
    void exitCheckMatrix_data();
    void exitCheckMatrix();
    void enteringSelectsWholeText();
    void numericRefusalSetsFlagBeforeItsBox();
    void rangeRefusalSetsFlagAfterItsBox();
    void checkRunsAfterTheFocusChangeNotInsideIt();
    void validExitClearsFlag();
    void materialFieldHasNoCheck();
    void switchesLeaveFlagAlone();
    void noPingPongBetweenTwoRefusedFields();
    void twoFieldsLeftBeforeTheCheckRuns();
    void noSecondBoxForOneExitByAccessKey();
    void noCheckWhileABoxIsOpen();
    void mouseClickOnCalculateShowsOneBox();
    void checkWaitsForTheMouseRelease();
    void refusedFieldDisabledMeanwhileKeepsRunning();
    void localeSeparatorAccepted();
    void focusMovedWhileWindowInactive();
    void enteredOnTheWayKeepsNoSelection();
};

void FieldChecksTest::exitCheckMatrix_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message"); // empty: accepted

    struct TextCase {
        QString typed;
        Expect expect;
        const char *label = nullptr; // for texts too long or unprintable to name a row
    };
    const TextCase cases[] = {
        {"", Expect::NotNumeric},
        {"abc", Expect::NotNumeric},
        {"28mm", Expect::NotNumeric},
        {"0", Expect::ZeroRule},
        {"-1", Expect::FieldMessage},
        {"1e3", Expect::Accept},
        {"0.001", Expect::Accept},
        {"100000", Expect::Accept},
        {"1e39", Expect::FieldMessage},
        {"inf", Expect::NotNumeric},
        {"nan", Expect::NotNumeric},
        {"0x10", Expect::NotNumeric},
        {" 12 ", Expect::Accept},
        {"+2.5E+1", Expect::Accept},
        {" ", Expect::NotNumeric},
        {"-1e39", Expect::FieldMessage},
        {"1,5", Expect::NotNumeric},
        {".", Expect::NotNumeric},
        {"e5", Expect::NotNumeric},
        {"+-1", Expect::NotNumeric},
        {QString(10000, QLatin1Char('9')), Expect::FieldMessage, "10000 digits"},
        {QStringLiteral("\u0663"), Expect::NotNumeric, "Arabic-Indic three"},
        {QStringLiteral("\uFF15"), Expect::NotNumeric, "full-width five"},
    };
    for (const FieldRow &row : kFieldRows) {
        for (const TextCase &c : cases) {
            QString message;
            switch (c.expect) {
            case Expect::Accept:
                break;
            case Expect::NotNumeric:
                message = kNotNumeric;
                break;
            case Expect::FieldMessage:
                message = QString::fromUtf8(row.message);
                break;
            case Expect::ZeroRule:
                message = row.acceptsZero ? QString() : QString::fromUtf8(row.message);
                break;
            }
            const QByteArray name = c.label != nullptr ? QByteArray(c.label) : c.typed.toUtf8();
            QTest::addRow("Text%d '%s'", row.number, name.constData())
                << row.number << c.typed << message;
        }
    }
}

void FieldChecksTest::exitCheckMatrix() {
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);

    FormHarness h;
    QVERIFY(h.active);
    h.enableField(field);
    // Everything but the flag and this field's text, to see that the check
    // changes nothing else.
    const auto others = [&h, field] {
        QStringList state;
        for (int n = 1; n <= 24; ++n) {
            if (n != field) {
                state << h.text(n)->text() + (h.text(n)->isEnabled() ? "+" : "-");
            }
        }
        state << QString::number(h.form->springTypeSign()) << h.form->springTypeName()
              << QString::number(static_cast<int>(h.command(2)->isEnabled()));
        return state;
    };
    const QStringList before = others();
    h.typeAndLeave(field, typed);
    QCOMPARE(others(), before);
    QVERIFY(h.fatalErrors.isEmpty());

    if (message.isEmpty()) {
        QVERIFY2(h.dialogs.shown.isEmpty(), qPrintable(h.dialogs.texts().join('|')));
        QVERIFY(!h.form->inputInvalid());
        QCOMPARE(h.focusName(), QStringLiteral("Text1"));
    } else {
        QCOMPARE(h.dialogs.texts(), QStringList{message});
        QVERIFY(h.dialogs.shown.front().kind == FakeUserDialogs::Kind::Warning);
        QCOMPARE(h.dialogs.shown.front().title, QStringLiteral("Orsela"));
        QVERIFY(h.form->inputInvalid());
        // Back in the field with the refused text selected, unchanged.
        QCOMPARE(h.focusName(), QStringLiteral("Text%1").arg(field));
        QCOMPARE(h.text(field)->selectedText(), typed);
    }
    QCOMPARE(h.text(field)->text(), typed);
}

void FieldChecksTest::enteringSelectsWholeText() {
    FormHarness h;
    h.text(5)->setText(QStringLiteral("28.5"));
    h.text(5)->setFocus(Qt::TabFocusReason);
    QCOMPARE(h.text(5)->selectedText(), QStringLiteral("28.5"));
    h.text(1)->setFocus(Qt::TabFocusReason);
    FormHarness::settle();
    // Also by the mouse, and also when the text is empty (nothing to select).
    h.text(6)->setFocus(Qt::MouseFocusReason);
    QCOMPARE(h.text(6)->selectedText(), QStringLiteral("4"));
    h.text(6)->setText(QString());
    h.text(2)->setFocus(Qt::TabFocusReason);
    FormHarness::settle();
    QCOMPARE(h.focusName(), QStringLiteral("Text6"));
    QCOMPARE(h.text(6)->selectionStart(), -1); // empty: no selection at all
    QCOMPARE(h.text(6)->cursorPosition(), 0);
}

void FieldChecksTest::numericRefusalSetsFlagBeforeItsBox() {
    FormHarness h;
    bool flagWhileShown = false;
    h.dialogs.whileShown = [&](const FakeUserDialogs::Shown &) {
        flagWhileShown = h.form->inputInvalid();
    };
    h.typeAndLeave(5, QStringLiteral("abc"));
    QVERIFY(flagWhileShown);
    QVERIFY(h.form->inputInvalid());
}

void FieldChecksTest::rangeRefusalSetsFlagAfterItsBox() {
    FormHarness h;
    // A refused field first, so that the flag is True when the check begins.
    h.typeAndLeave(5, QStringLiteral("abc"));
    QVERIFY(h.form->inputInvalid());
    bool flagWhileShown = true;
    h.dialogs.whileShown = [&](const FakeUserDialogs::Shown &) {
        flagWhileShown = h.form->inputInvalid();
    };
    h.text(5)->setText(QStringLiteral("-1"));
    h.text(1)->setFocus(Qt::TabFocusReason);
    FormHarness::settle();
    QVERIFY(!flagWhileShown); // the numeric test passed and cleared it
    QVERIFY(h.form->inputInvalid());
    QCOMPARE(h.dialogs.texts().last(), QStringLiteral("请输入一个合适的弹簧中径!"));
}

void FieldChecksTest::checkRunsAfterTheFocusChangeNotInsideIt() {
    FormHarness h;
    h.enter(5);
    h.text(5)->setText(QStringLiteral("abc"));
    h.text(6)->setFocus(Qt::TabFocusReason);
    // The focus change has been delivered; the check has not run yet.
    QVERIFY(h.dialogs.shown.isEmpty());
    QCOMPARE(h.focusName(), QStringLiteral("Text6"));
    FormHarness::settle();
    QCOMPARE(h.dialogs.texts(), QStringList{kNotNumeric});
    QCOMPARE(h.focusName(), QStringLiteral("Text5"));
}

void FieldChecksTest::validExitClearsFlag() {
    FormHarness h;
    h.typeAndLeave(5, QStringLiteral("0"));
    QVERIFY(h.form->inputInvalid());
    h.text(5)->setText(QStringLiteral("30"));
    h.text(1)->setFocus(Qt::TabFocusReason);
    FormHarness::settle();
    QVERIFY(!h.form->inputInvalid());
    QCOMPARE(h.dialogs.shown.size(), 1);
}

void FieldChecksTest::materialFieldHasNoCheck() {
    FormHarness h;
    for (const QString &typed : {QString(), QStringLiteral("abc"), QStringLiteral("-1")}) {
        h.enter(1);
        h.text(1)->setText(typed);
        h.text(2)->setFocus(Qt::TabFocusReason);
        FormHarness::settle();
        h.text(2)->clearFocus();
    }
    QVERIFY(h.dialogs.shown.isEmpty());
    QVERIFY(!h.form->inputInvalid());
}

void FieldChecksTest::switchesLeaveFlagAlone() {
    FormHarness h;
    h.typeAndLeave(5, QStringLiteral("abc"));
    QVERIFY(h.form->inputInvalid());
    h.text(5)->setText(QStringLiteral("28"));
    for (int n : {2, 4, 1, 3}) {
        h.option(n)->setChecked(true); // no focus move: no exit check
        QVERIFY(h.form->inputInvalid());
    }
}

void FieldChecksTest::noPingPongBetweenTwoRefusedFields() {
    FormHarness h;
    h.text(6)->setText(QStringLiteral("xyz")); // refused too, should it be checked
    h.enter(5);
    h.text(5)->setText(QStringLiteral("abc"));
    h.text(6)->setFocus(Qt::TabFocusReason);
    QTest::qWait(100);
    // Text5's box only; returning the focus to Text5 did not check Text6.
    QCOMPARE(h.dialogs.texts(), QStringList{kNotNumeric});
    QCOMPARE(h.focusName(), QStringLiteral("Text5"));
    QTest::qWait(100);
    QCOMPARE(h.dialogs.shown.size(), 1);
}

void FieldChecksTest::twoFieldsLeftBeforeTheCheckRuns() {
    // Tab twice faster than the checks run: Text5 and Text6 are both left,
    // both refused; the first one's box only, and the focus back in it.
    FormHarness h;
    h.enter(5);
    h.text(5)->setText(QStringLiteral("abc"));
    h.text(6)->setFocus(Qt::TabFocusReason);
    h.text(6)->setText(QStringLiteral("-1"));
    h.text(4)->setFocus(Qt::TabFocusReason);
    QTest::qWait(100);
    QCOMPARE(h.dialogs.texts(), QStringList{kNotNumeric});
    QCOMPARE(h.focusName(), QStringLiteral("Text5"));
    QVERIFY(h.form->inputInvalid());
}

void FieldChecksTest::noSecondBoxForOneExitByAccessKey() {
    FormHarness h;
    h.enter(5);
    h.text(5)->setText(QStringLiteral("abc"));
    QTest::keyClick(h.text(5), Qt::Key_C, Qt::AltModifier);
    QTest::qWait(250); // longer than a button's delayed click
    QCOMPARE(h.dialogs.texts(), QStringList{kNotNumeric});
    QCOMPARE(h.focusName(), QStringLiteral("Text5"));
    QCOMPARE(h.text(16)->text(), QStringLiteral("0")); // nothing calculated
}

void FieldChecksTest::noCheckWhileABoxIsOpen() {
    FormHarness h;
    // While the box is open, other events of the window run (as in a modal
    // loop): focus moves among refused fields must not start new checks.
    h.text(6)->setText(QStringLiteral("xyz"));
    h.dialogs.whileShown = [&](const FakeUserDialogs::Shown &) {
        h.text(6)->setFocus(Qt::TabFocusReason);
        h.text(4)->setFocus(Qt::TabFocusReason);
        FormHarness::settle();
    };
    h.typeAndLeave(5, QStringLiteral("abc"));
    QTest::qWait(50);
    QCOMPARE(h.dialogs.texts(), QStringList{kNotNumeric});
    QCOMPARE(h.focusName(), QStringLiteral("Text5"));
}

void FieldChecksTest::mouseClickOnCalculateShowsOneBox() {
    FormHarness h;
    h.enter(5);
    h.text(5)->setText(QStringLiteral("abc"));
    QTest::mouseClick(h.command(1), Qt::LeftButton);
    QTest::qWait(100);
    QCOMPARE(h.dialogs.texts(), QStringList{kNotNumeric});
    QCOMPARE(h.focusName(), QStringLiteral("Text5"));
    QCOMPARE(h.text(16)->text(), QStringLiteral("0"));
    QVERIFY(!h.command(2)->isEnabled());
}

void FieldChecksTest::checkWaitsForTheMouseRelease() {
    FormHarness h;
    h.enter(5);
    h.text(5)->setText(QStringLiteral("abc"));
    QTest::mousePress(h.text(6), Qt::LeftButton);
    QTest::qWait(80);
    QVERIFY(h.dialogs.shown.isEmpty()); // no box between press and release
    QTest::mouseRelease(h.text(6), Qt::LeftButton);
    QTRY_COMPARE(h.dialogs.texts(), QStringList{kNotNumeric});
    QCOMPARE(h.focusName(), QStringLiteral("Text5"));
}

void FieldChecksTest::refusedFieldDisabledMeanwhileKeepsRunning() {
    FormHarness h;
    h.enter(19);
    h.text(19)->setText(QStringLiteral("abc"));
    // A click on the extension button disables Text19 before its check runs.
    QTest::mouseClick(h.option(2), Qt::LeftButton);
    QTRY_COMPARE(h.dialogs.texts(), QStringList{kNotNumeric});
    QVERIFY(h.form->inputInvalid());
    QVERIFY(!h.text(19)->isEnabled());
    QCOMPARE(h.text(19)->text(), QStringLiteral("abc"));
    // A valid exit of another field clears the flag that Text19 set.
    h.typeAndLeave(18, QStringLiteral("5"));
    QVERIFY(!h.form->inputInvalid());
    // Calculate then meets the text that cannot be read, and says so.
    h.form->Command1_Click();
    QVERIFY(h.dialogs.texts().last().startsWith(QStringLiteral("“总圈数”不是一个数值")));
    QVERIFY(h.form->isVisible());
}

void FieldChecksTest::localeSeparatorAccepted() {
    FormHarness h(",");
    h.typeAndLeave(5, QStringLiteral("28,5"));
    h.typeAndLeave(6, QStringLiteral("4.5"));
    QVERIFY(h.dialogs.shown.isEmpty());
    h.typeAndLeave(4, QStringLiteral("1,2,3"));
    QCOMPARE(h.dialogs.texts(), QStringList{kNotNumeric});
}

void FieldChecksTest::focusMovedWhileWindowInactive() {
    FormHarness h;
    h.enter(5);
    h.text(5)->setText(QStringLiteral("abc"));
    // Another window is active: moving the focus sends no focus events.
    QWidget other;
    other.show();
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    h.command(1)->setFocus(Qt::MouseFocusReason);
    FormHarness::settle();
    QVERIFY(h.dialogs.shown.isEmpty());
    // Calculate still checks the field that was left, first.
    h.form->Command1_Click();
    QCOMPARE(h.dialogs.texts(), QStringList{kNotNumeric});
    QCOMPARE(h.text(16)->text(), QStringLiteral("0"));

    // Activated with the focus already elsewhere: the check runs then.
    FormHarness g;
    g.enter(6);
    g.text(6)->setText(QStringLiteral("-4"));
    other.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&other));
    g.command(4)->setFocus(Qt::MouseFocusReason);
    g.form->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(g.form.get()));
    QTRY_COMPARE(g.dialogs.texts(), QStringList{QStringLiteral("请输入一个合适的材料直径!")});
    QCOMPARE(g.focusName(), QStringLiteral("Text6"));
}

void FieldChecksTest::enteredOnTheWayKeepsNoSelection() {
    FormHarness h;
    h.enter(5);
    h.text(5)->setText(QStringLiteral("abc"));
    QTest::keyClick(h.text(5), Qt::Key_Tab); // into Text4, whose text is selected
    QCOMPARE(h.text(4)->selectedText(), QStringLiteral("5"));
    FormHarness::settle();
    QCOMPARE(h.focusName(), QStringLiteral("Text5"));
    QVERIFY(!h.text(4)->hasSelectedText());
    QCOMPARE(h.text(5)->selectedText(), QStringLiteral("abc"));
}

QTEST_MAIN(FieldChecksTest)
#include "test_field_checks.moc"
