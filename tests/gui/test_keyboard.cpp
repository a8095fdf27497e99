// Keyboard use of the window: the Tab chain, Enter and Esc, the access keys
// and the arrow keys inside an option group.
#include "form_harness.h"

#include <QSignalSpy>

class KeyboardTest : public QObject {
    Q_OBJECT

  private slots:
    void tabOrder_data();
    void tabOrder();
    void backtabReversesTheChain();
    void enterCalculates_data();
    void enterCalculates();
    void enterOnFocusedButtonIsThatButtons();
    void escapeExits_data();
    void escapeExits();
    void accessKeys();
    void arrowKeysSwitchTheGroup();
    void upAndDownSwitchTheGroup_data();
    void upAndDownSwitchTheGroup();
    void calculateKeepsTheDefaultFrame_data();
    void calculateKeepsTheDefaultFrame();
};

void KeyboardTest::tabOrder_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QStringList>("chain");
    const QStringList buttons = {"Command1", "Command3"};
    const QStringList results = {"Text16", "Text15", "Text14", "Text23"};
    QTest::newRow("start-up") << QList<int>{}
                              << (QStringList{"Option1", "Text1", "Text2", "Text3", "Text6",
                                              "Text5", "Text4", "Text19", "Option3", "Text9",
                                              "Text8", "Text7", "Text13"} +
                                  buttons + results +
                                  QStringList{"Text22", "Text21", "Text17", "Text20", "Command4"});
    QTest::newRow("extension, loads")
        << QList<int>{2, 4}
        << (QStringList{"Option2", "Text1", "Text2", "Text3", "Text6", "Text5", "Text4", "Option4",
                        "Text12", "Text11", "Text10", "Text18", "Text24"} +
            buttons + results + QStringList{"Text22", "Text20", "Command4"}); // 17, 21 disabled
}

void KeyboardTest::tabOrder() {
    QFETCH(QList<int>, clicks);
    QFETCH(QStringList, chain);
    FormHarness h;
    for (int n : clicks) {
        h.option(n)->click();
    }
    QWidget *first = h.form->findChild<QWidget *>(chain.front());
    first->setFocus(Qt::TabFocusReason);
    QStringList visited{h.focusName()};
    for (qsizetype i = 0; i < chain.size(); ++i) {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        FormHarness::settle();
        visited << h.focusName();
    }
    QCOMPARE(visited, chain + QStringList{chain.front()}); // and round again
    QVERIFY(h.dialogs.shown.isEmpty());
}

void KeyboardTest::backtabReversesTheChain() {
    FormHarness h;
    h.option(1)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(h.option(1), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(h.focusName(), QStringLiteral("Command4"));
    QTest::keyClick(h.command(4), Qt::Key_Backtab, Qt::ShiftModifier);
    QCOMPARE(h.focusName(), QStringLiteral("Text20"));
}

void KeyboardTest::enterCalculates_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<int>("key");
    QTest::newRow("input field") << "Text5" << int(Qt::Key_Return);
    QTest::newRow("material") << "Text1" << int(Qt::Key_Return);
    QTest::newRow("result field") << "Text20" << int(Qt::Key_Return);
    QTest::newRow("option button") << "Option1" << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << "Text2" << int(Qt::Key_Enter);
    QTest::newRow("Calculate itself") << "Command1" << int(Qt::Key_Return);
}

void KeyboardTest::enterCalculates() {
    QFETCH(QString, focus);
    QFETCH(int, key);
    FormHarness h;
    QWidget *target = h.form->findChild<QWidget *>(focus);
    target->setFocus(Qt::TabFocusReason);
    QTest::keyClick(target, Qt::Key(key));
    QCOMPARE(h.text(16)->text(), QStringLiteral("7.000"));
    QVERIFY(h.command(2)->isEnabled());
    QVERIFY(h.dialogs.shown.isEmpty());
}

void KeyboardTest::enterOnFocusedButtonIsThatButtons() {
    FormHarness h;
    h.command(4)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(h.command(4), Qt::Key_Return);
    QCOMPARE(h.dialogs.shown.size(), 1);
    QCOMPARE(h.dialogs.shown.front().title, QStringLiteral("关于 Orsela"));
    QCOMPARE(h.text(16)->text(), QStringLiteral("0")); // not calculated

    h.command(3)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(h.command(3), Qt::Key_Return);
    QVERIFY(!h.form->isVisible());
}

void KeyboardTest::escapeExits_data() {
    QTest::addColumn<QString>("focus");
    QTest::addColumn<QString>("typed"); // into the focused field first
    QTest::newRow("input field") << "Text5"
                                 << "";
    QTest::newRow("refused field") << "Text5"
                                   << "abc";
    QTest::newRow("result field") << "Text16"
                                  << "";
    QTest::newRow("About button") << "Command4"
                                  << "";
}

void KeyboardTest::escapeExits() {
    QFETCH(QString, focus);
    QFETCH(QString, typed);
    FormHarness h;
    QWidget *target = h.form->findChild<QWidget *>(focus);
    target->setFocus(Qt::TabFocusReason);
    if (!typed.isEmpty()) {
        QTest::keyClicks(target, typed);
    }
    QTest::keyClick(target, Qt::Key_Escape);
    FormHarness::settle();
    QVERIFY(!h.form->isVisible());
    QVERIFY(h.dialogs.shown.isEmpty()); // no question, no field check
}

void KeyboardTest::accessKeys() {
    FormHarness h;
    QSignalSpy saveClicks(h.command(2), &QPushButton::clicked);
    h.text(2)->setFocus(Qt::TabFocusReason);

    // Alt+S does nothing while Save is disabled.
    QTest::keyClick(h.text(2), Qt::Key_S, Qt::AltModifier);
    FormHarness::settle();
    QCOMPARE(saveClicks.size(), 0);
    QCOMPARE(h.focusName(), QStringLiteral("Text2"));
    QCOMPARE(h.text(2)->text(), QStringLiteral("79000")); // nor typed

    QTest::keyClick(h.text(2), Qt::Key_C, Qt::AltModifier);
    QCOMPARE(h.text(16)->text(), QStringLiteral("7.000"));
    QCOMPARE(h.focusName(), QStringLiteral("Command1"));

    QTest::keyClick(h.command(1), Qt::Key_S, Qt::AltModifier);
    QCOMPARE(saveClicks.size(), 1);
    QCOMPARE(h.focusName(), QStringLiteral("Command2"));

    // Save asked for a file name (and was cancelled); nothing else was shown.
    QCOMPARE(h.dialogs.shown.size(), 1);
    QCOMPARE(h.dialogs.shown[0].kind, FakeUserDialogs::Kind::SaveDialog);

    QTest::keyClick(h.command(2), Qt::Key_X, Qt::AltModifier);
    QVERIFY(!h.form->isVisible());
    QCOMPARE(h.dialogs.shown.size(), 1);
}

void KeyboardTest::arrowKeysSwitchTheGroup() {
    FormHarness h;
    h.option(1)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(h.option(1), Qt::Key_Right);
    QVERIFY(h.option(2)->isChecked());
    QCOMPARE(h.form->springTypeSign(), kExtensionSpring);
    QVERIFY(h.text(24)->isEnabled());
    QVERIFY(h.option(3)->isChecked()); // the other group is untouched
    QTest::keyClick(h.option(2), Qt::Key_Left);
    QVERIFY(h.option(1)->isChecked());
    QCOMPARE(h.form->springTypeSign(), kCompressionSpring);
}

void KeyboardTest::upAndDownSwitchTheGroup_data() {
    QTest::addColumn<int>("first");
    QTest::addColumn<int>("key");
    for (const int first : {1, 3}) {
        for (const int key : {int(Qt::Key_Down), int(Qt::Key_Up)}) {
            QTest::addRow("Option%d %s", first, key == Qt::Key_Down ? "Down" : "Up")
                << first << key;
        }
    }
}

void KeyboardTest::upAndDownSwitchTheGroup() {
    QFETCH(int, first);
    QFETCH(int, key);
    FormHarness h;
    const int second = first + 1;
    const int otherGroup = first == 1 ? 3 : 1;
    h.option(first)->setFocus(Qt::TabFocusReason);
    QTest::keyClick(h.option(first), Qt::Key(key));
    QVERIFY(h.option(second)->isChecked());
    QCOMPARE(h.focusName(), h.option(second)->objectName());
    // The switch ran: the fields it governs follow.
    QCOMPARE(h.text(first == 1 ? 24 : 12)->isEnabled(), true);
    QTest::keyClick(h.option(second), Qt::Key(key));
    QVERIFY(h.option(first)->isChecked());
    QVERIFY(h.option(otherGroup)->isChecked()); // the other group is untouched
}

void KeyboardTest::calculateKeepsTheDefaultFrame_data() {
    QTest::addColumn<QStringList>("focusPath");
    QTest::addColumn<bool>("calculateIsDefault");
    QTest::newRow("back to a field") << QStringList{"Command1", "Text5"} << true;
    QTest::newRow("from Exit to an option") << QStringList{"Command3", "Option1"} << true;
    QTest::newRow("on About") << QStringList{"Command1", "Command4"} << false;
    QTest::newRow("a result field") << QStringList{"Command4", "Text16"} << true;
}

void KeyboardTest::calculateKeepsTheDefaultFrame() {
    QFETCH(QStringList, focusPath);
    QFETCH(bool, calculateIsDefault);
    FormHarness h;
    QVERIFY(h.command(1)->isDefault());
    for (const QString &name : focusPath) {
        h.form->findChild<QWidget *>(name)->setFocus(Qt::TabFocusReason);
        FormHarness::settle();
    }
    QCOMPARE(h.command(1)->isDefault(), calculateIsDefault);
}

QTEST_MAIN(KeyboardTest)
#include "test_keyboard.moc"
