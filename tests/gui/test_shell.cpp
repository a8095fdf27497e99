// About, Exit and the close box, and the start-up date.
#include "about_text.h"
#include "form_harness.h"

class ShellTest : public QObject {
    Q_OBJECT

  private slots:
    void aboutTextHasItsNineLines();
    void aboutShowsInformationBox();
    void aboutBlockedWhileInputInvalid();
    void exitEndsAtOnce_data();
    void exitEndsAtOnce();
    void nothingQueuedRunsAfterClosing();
};

void ShellTest::aboutTextHasItsNineLines() {
    const QString text = AboutText();
    QVERIFY(!text.endsWith(QStringLiteral("\r\n")));
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    QCOMPARE(lines.size(), 9);
    QCOMPARE(lines[0], QStringLiteral("Orsela    属于Quorlan自定义函数系列程序"));
    QCOMPARE(lines[1], QString());
    QVERIFY(lines[2].contains(QStringLiteral("Orsela")) && !lines[2].startsWith(' '));
    QCOMPARE(lines[3], QString());
    QCOMPARE(lines[4], QStringLiteral("所有者声明："));
    QCOMPARE(lines[5], QStringLiteral("  Orsela 所提供的数据仅供各位参考。"));
    QCOMPARE(lines[6], QStringLiteral("  欢迎大家在使用过程中多提意见，有不当之处请及时提出。"));
    QVERIFY(lines[7].startsWith(QStringLiteral("  ")) && lines[7].contains('@'));
    QCOMPARE(lines[8],
             QStringLiteral(
                 "  同时特别感谢曾经给“Quorlan自定义函数系列程序”提出中肯改进意见的各位同仁。"));
    QCOMPARE(text.count('\n'), text.count(QStringLiteral("\r\n"))); // CR LF only
}

void ShellTest::aboutShowsInformationBox() {
    FormHarness h;
    h.text(5)->setFocus(Qt::TabFocusReason);
    for (int i = 0; i < 2; ++i) {
        QTest::mouseClick(h.command(4), Qt::LeftButton);
        FormHarness::settle();
    }
    QCOMPARE(h.dialogs.shown.size(), 2); // again, identical
    for (const auto &box : h.dialogs.shown) {
        QVERIFY(box.kind == FakeUserDialogs::Kind::Information);
        QCOMPARE(box.title, QStringLiteral("关于 Orsela"));
        QCOMPARE(box.text, AboutText());
    }
    QCOMPARE(h.focusName(), QStringLiteral("Command4"));
    QCOMPARE(h.text(16)->text(), QStringLiteral("0"));
    QVERIFY(!h.form->inputInvalid());
}

void ShellTest::aboutBlockedWhileInputInvalid() {
    FormHarness h;
    h.typeAndLeave(5, QStringLiteral("abc"));
    QCOMPARE(h.dialogs.shown.size(), 1);
    // About moves the focus out of the refused field: its check comes first
    // and About shows nothing.
    h.form->Command4_Click();
    QCOMPARE(h.dialogs.texts(), QStringList(2, QStringLiteral("请输入一个数值!")));
    QVERIFY(h.form->inputInvalid());
    // As soon as the field passes, About shows its box.
    h.text(5)->setText(QStringLiteral("28"));
    h.form->Command4_Click();
    QCOMPARE(h.dialogs.shown.size(), 3);
    QCOMPARE(h.dialogs.shown.last().title, QStringLiteral("关于 Orsela"));
}

void ShellTest::exitEndsAtOnce_data() {
    QTest::addColumn<QString>("how");
    QTest::addColumn<QString>("typed"); // left in Text5, focused
    for (const char *how : {"Exit click", "Exit handler", "close box"}) {
        QTest::addRow("%s", how) << how << QStringLiteral("28.5");
        QTest::addRow("%s, field refused", how) << how << QStringLiteral("abc");
    }
}

void ShellTest::exitEndsAtOnce() {
    QFETCH(QString, how);
    QFETCH(QString, typed);
    FormHarness h;
    h.enter(5);
    h.text(5)->setText(typed);
    if (how == "Exit click") {
        QTest::mouseClick(h.command(3), Qt::LeftButton);
    } else if (how == "Exit handler") {
        h.form->Command3_Click();
    } else {
        QVERIFY(h.form->close());
    }
    QTest::qWait(50);
    QVERIFY(!h.form->isVisible());
    // The only window: closing it ends the program's event loop.
    QVERIFY(h.form->testAttribute(Qt::WA_QuitOnClose));
    QVERIFY(QGuiApplication::quitOnLastWindowClosed());
    QVERIFY(h.dialogs.shown.isEmpty());
}

void ShellTest::nothingQueuedRunsAfterClosing() {
    FormHarness h;
    h.enter(5);
    h.text(5)->setText(QStringLiteral("abc"));
    h.text(6)->setFocus(Qt::TabFocusReason); // its check is queued
    h.form->close();
    QTest::qWait(50);
    QVERIFY(h.dialogs.shown.isEmpty());
}

QTEST_MAIN(ShellTest)
#include "test_shell.moc"
