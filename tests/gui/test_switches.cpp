// The spring type and input mode switches: which fields they enable, the
// three texts they set, and what they leave alone.
#include "disabled_text_contrast.h"
#include "form_harness.h"

namespace {

// Enabled state of the fields a switch governs, in this order.
constexpr int kGoverned[] = {13, 18, 24, 19, 17, 21, 9, 8, 7, 12, 11, 10};

QString EnabledPattern(const FormHarness &h) {
    QString pattern;
    for (int n : kGoverned) {
        pattern += h.text(n)->isEnabled() ? QLatin1Char('E') : QLatin1Char('-');
    }
    return pattern;
}

} // namespace

class SwitchesTest : public QObject {
    Q_OBJECT

  private slots:
    void enabledStates_data();
    void enabledStates();
    void extensionSetsResultsToZeroAndKeepsOtherTexts();
    void backToCompression();
    void modeSwitchNeverChangesText();
    void saveKeepsItsState();
    void disabledDerivedValuesReadable_data();
    void disabledDerivedValuesReadable();
};

void SwitchesTest::enabledStates_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<QString>("pattern"); // kGoverned: 13 18 24 19 17 21 | 9 8 7 | 12 11 10
    QTest::newRow("start-up") << QList<int>{} << QStringLiteral("E--EEEEEE---");
    QTest::newRow("compression") << QList<int>{1} << QStringLiteral("E--EEEEEE---");
    QTest::newRow("extension") << QList<int>{2} << QStringLiteral("-EE---EEE---");
    QTest::newRow("extension, compression") << QList<int>{2, 1} << QStringLiteral("E--EEEEEE---");
    QTest::newRow("loads") << QList<int>{4} << QStringLiteral("E--EEE---EEE");
    QTest::newRow("loads, heights") << QList<int>{4, 3} << QStringLiteral("E--EEEEEE---");
    QTest::newRow("extension with loads") << QList<int>{2, 4} << QStringLiteral("-EE------EEE");
    QTest::newRow("twice") << QList<int>{2, 2, 4, 4} << QStringLiteral("-EE------EEE");
}

void SwitchesTest::enabledStates() {
    QFETCH(QList<int>, clicks);
    QFETCH(QString, pattern);
    FormHarness h;
    for (int n : clicks) {
        QTest::mouseClick(h.option(n), Qt::LeftButton);
    }
    QCOMPARE(EnabledPattern(h), pattern);
    QVERIFY(h.dialogs.shown.isEmpty());
    // The type state follows at once; each group keeps its own selection.
    const bool extension = pattern.startsWith('-');
    const bool loads = pattern.endsWith(QStringLiteral("EEE"));
    QCOMPARE(h.form->springTypeSign(), extension ? kExtensionSpring : kCompressionSpring);
    QCOMPARE(h.form->springTypeName(),
             extension ? QStringLiteral("拉伸弹簧") : QStringLiteral("压缩弹簧"));
    QCOMPARE(h.option(2)->isChecked(), extension);
    QCOMPARE(h.option(1)->isChecked(), !extension);
    QCOMPARE(h.option(4)->isChecked(), loads);
    QCOMPARE(h.option(3)->isChecked(), !loads);
}

void SwitchesTest::extensionSetsResultsToZeroAndKeepsOtherTexts() {
    FormHarness h;
    h.form->Command1_Click();
    h.option(2)->click();
    QCOMPARE(h.text(17)->text(), QStringLiteral("0"));
    QCOMPARE(h.text(21)->text(), QStringLiteral("0"));
    QCOMPARE(h.text(13)->text(), QStringLiteral("44.0")); // disabled, text kept
    QCOMPARE(h.text(19)->text(), QStringLiteral("6.5"));
    QCOMPARE(h.text(16)->text(), QStringLiteral("7.000"));
    QCOMPARE(h.text(22)->text(), QStringLiteral("571.8"));
}

void SwitchesTest::backToCompression() {
    FormHarness h;
    h.form->Command1_Click();
    h.option(2)->click();
    h.text(18)->setText(QStringLiteral("5"));
    h.text(24)->setText(QStringLiteral("50"));
    h.option(1)->click();
    QCOMPARE(h.text(24)->text(), QStringLiteral("0"));
    QVERIFY(!h.text(24)->isEnabled());
    QCOMPARE(h.text(18)->text(), QStringLiteral("5"));
    QVERIFY(!h.text(18)->isEnabled());
    QCOMPARE(h.text(17)->text(), QStringLiteral("0")); // until the next calculation
    QCOMPARE(h.text(21)->text(), QStringLiteral("0"));
    QVERIFY(h.text(17)->isEnabled() && h.text(21)->isEnabled());
    QCOMPARE(h.text(13)->text(), QStringLiteral("44.0"));
    QCOMPARE(h.text(19)->text(), QStringLiteral("6.5"));
}

void SwitchesTest::modeSwitchNeverChangesText() {
    FormHarness h;
    QStringList before;
    for (int n = 1; n <= 24; ++n) {
        before << h.text(n)->text();
    }
    for (int n : {4, 3, 4, 4, 3}) {
        h.option(n)->click();
    }
    for (int n = 1; n <= 24; ++n) {
        QCOMPARE(h.text(n)->text(), before[n - 1]);
    }
}

void SwitchesTest::saveKeepsItsState() {
    FormHarness h;
    h.option(2)->click();
    QVERIFY(!h.command(2)->isEnabled());
    h.option(1)->click();
    h.form->Command1_Click();
    h.option(2)->click();
    h.option(4)->click();
    QVERIFY(h.command(2)->isEnabled());
}

void SwitchesTest::disabledDerivedValuesReadable_data() {
    QTest::addColumn<QList<int>>("clicks");
    QTest::addColumn<int>("field");
    QTest::newRow("pitch (compression)") << QList<int>{} << 18;
    QTest::newRow("converted load") << QList<int>{} << 12;
    QTest::newRow("extension free height") << QList<int>{2} << 13;
    QTest::newRow("converted height") << QList<int>{4} << 9;
}

void SwitchesTest::disabledDerivedValuesReadable() {
    QFETCH(QList<int>, clicks);
    QFETCH(int, field);
    FormHarness h;
    for (const int option : clicks) {
        h.option(option)->click();
    }
    h.form->Command1_Click();
    QLineEdit *shown = h.text(field);
    QVERIFY(!shown->isEnabled());
    const QPalette &palette = shown->palette();
    const QColor text = palette.color(QPalette::Disabled, QPalette::Text);
    const QColor background = palette.color(QPalette::Disabled, QPalette::Base);
    QVERIFY2(ContrastRatio(text, background) >= 3.0,
             qPrintable(QString::number(ContrastRatio(text, background))));
    // Still visibly disabled: not drawn as an enabled field is.
    QVERIFY(text != palette.color(QPalette::Active, QPalette::Text) ||
            background != palette.color(QPalette::Active, QPalette::Base));
}

QTEST_MAIN(SwitchesTest)
#include "test_switches.moc"
