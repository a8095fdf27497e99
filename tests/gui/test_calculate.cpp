// The Calculate command: what it reads, what it shows, and what it leaves
// alone when a warning stops the run or the design cannot be evaluated.
#include "form_harness.h"

#include <functional>
#include <new>

namespace {

using Setup = std::function<void(FormHarness &)>;
using Texts = QMap<int, QString>;

// The sixteen fields Calculate writes.
constexpr int kResultFields[] = {13, 9, 8, 7, 12, 11, 10, 16, 15, 14, 18, 22, 21, 17, 20, 23};

Texts ResultTexts(const FormHarness &h) {
    Texts texts;
    for (int n : kResultFields) {
        texts.insert(n, h.text(n)->text());
    }
    texts.insert(19, h.text(19)->text());
    return texts;
}

const Texts kDefaultResults = {
    {13, "44.0"},    {9, "40.0"},     {8, "36.0"},   {7, "28.0"},   {12, "92.128"},
    {11, "184.257"}, {10, "368.513"}, {16, "7.000"}, {15, "1.213"}, {14, "23.032"},
    {18, "8.000"},   {22, "571.8"},   {21, "1.571"}, {17, "26.0"},  {20, "497.944"},
    {23, "5.197"},   {19, "6.5"},
};

const Texts kExtensionResults = {
    {13, "72.0"},    {9, "74.2"},     {8, "78.5"},   {7, "82.9"},   {12, "100.000"},
    {11, "200.000"}, {10, "300.000"}, {16, "7.000"}, {15, "1.213"}, {14, "23.032"},
    {18, "4.000"},   {22, "615.8"},   {21, "0.000"}, {17, "0.0"},   {20, "405.368"},
    {23, "2.604"},   {19, "5"},
};

// Extension spring, working loads given: pitch 4, F0 = 50, loads 100, 200, 300 N.
void ExtensionWithLoads(FormHarness &h) {
    h.option(2)->click();
    h.option(4)->click();
    h.text(12)->setText(QStringLiteral("100"));
    h.text(11)->setText(QStringLiteral("200"));
    h.text(10)->setText(QStringLiteral("300"));
    h.text(24)->setText(QStringLiteral("50"));
}

Setup SetText(int n, const char *value) {
    return [n, value](FormHarness &h) { h.text(n)->setText(QString::fromUtf8(value)); };
}

} // namespace

Q_DECLARE_METATYPE(Setup)

class CalculateTest : public QObject {
    Q_OBJECT

  private slots:
    void designedDefaults();
    void extensionWithKnownLoads();
    void knownLoadsOnCompression();
    void stoppingWarning_data();
    void stoppingWarning();
    void stressWarningThenResults();
    void designFault_data();
    void designFault();
    void unreadableField_data();
    void unreadableField();
    void unreadableFieldDisabledBySwitch();
    void inputInvalidBlocksCalculate();
    void localeSeparator();
    void completedCopyKeepsTypeOfItsRun();
    void unexpectedErrorGoesToFatalHandler();
};

void CalculateTest::designedDefaults() {
    FormHarness h;
    h.form->Command1_Click();
    QVERIFY2(h.dialogs.shown.isEmpty(), qPrintable(h.dialogs.texts().join('|')));
    QCOMPARE(ResultTexts(h), kDefaultResults);
    QVERIFY(h.command(2)->isEnabled());
    QCOMPARE(h.focusName(), QStringLiteral("Command1"));
    // The record and its kept copy hold the inputs as read.
    QCOMPARE(h.form->springDesign().Material, std::string("70-C"));
    QCOMPARE(h.form->springDesign().ShearModulus, 79000.0F);
    QVERIFY(h.form->lastCompletedCalculation().has_value());
    QCOMPARE(h.form->lastCompletedCalculation()->typeName, std::string("压缩弹簧"));
    QCOMPARE(h.form->lastCompletedCalculation()->typeSign, kCompressionSpring);
    QVERIFY(h.form->lastCompletedCalculation()->design == h.form->springDesign());
    // Unwritten inputs keep their texts.
    QCOMPARE(h.text(1)->text(), QStringLiteral("70-C"));
    QCOMPARE(h.text(24)->text(), QStringLiteral("0"));
}

void CalculateTest::extensionWithKnownLoads() {
    FormHarness h;
    ExtensionWithLoads(h);
    h.form->Command1_Click();
    QVERIFY2(h.dialogs.shown.isEmpty(), qPrintable(h.dialogs.texts().join('|')));
    QCOMPARE(ResultTexts(h), kExtensionResults);
    QVERIFY(h.command(2)->isEnabled());
    QCOMPARE(h.form->lastCompletedCalculation()->typeName, std::string("拉伸弹簧"));
    QCOMPARE(h.form->lastCompletedCalculation()->typeSign, kExtensionSpring);
    QCOMPARE(h.form->lastCompletedCalculation()->design.InitialTension, 50.0F);
}

void CalculateTest::knownLoadsOnCompression() {
    FormHarness h;
    h.option(4)->click();
    h.text(12)->setText(QStringLiteral("100"));
    h.text(11)->setText(QStringLiteral("200"));
    h.text(10)->setText(QStringLiteral("300"));
    h.form->Command1_Click();
    QVERIFY(h.dialogs.shown.isEmpty());
    QCOMPARE(h.text(9)->text(), QStringLiteral("39.7"));
    QCOMPARE(h.text(8)->text(), QStringLiteral("35.3"));
    QCOMPARE(h.text(7)->text(), QStringLiteral("31.0"));
    QCOMPARE(h.text(12)->text(), QStringLiteral("100.000"));
}

void CalculateTest::stoppingWarning_data() {
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("warning");
    QTest::addColumn<QString>("totalCoilsShown"); // Text19 when the box is shown

    QTest::newRow("total coils too few")
        << SetText(19, "6") << QStringLiteral("压缩弹簧总圈数不允许过少或过多!")
        << QStringLiteral("6");
    QTest::newRow("working height above free")
        << SetText(9, "45")
        << QStringLiteral("压缩弹簧的工作高度大于自由高度!\r\n请输入合适的工作高度或工作载荷!")
        << QStringLiteral("6.5");
    QTest::newRow("goes solid") << SetText(7, "26")
                                << QStringLiteral("最大工作载荷下,弹簧被压并!\r\n请调整弹簧参数!")
                                << QStringLiteral("6.5");
    QTest::newRow("pitch below wire diameter") << Setup([](FormHarness &h) {
        h.option(2)->click();
        h.text(18)->setText(QStringLiteral("3"));
    }) << QStringLiteral("拉伸弹簧的节距不允许小于材料直径!")
                                               << QStringLiteral("5");
    QTest::newRow("extension height below free")
        << Setup([](FormHarness &h) { h.option(2)->click(); })
        << QStringLiteral("拉伸弹簧的工作高度小于自由高度!\r\n请输入合适的工作高度或工作载荷!")
        << QStringLiteral("5");
}

void CalculateTest::stoppingWarning() {
    QFETCH(Setup, setup);
    QFETCH(QString, warning);
    QFETCH(QString, totalCoilsShown);

    for (const bool calculatedBefore : {false, true}) {
        FormHarness h;
        if (calculatedBefore) {
            h.form->Command1_Click();
            QVERIFY(h.command(2)->isEnabled());
        }
        setup(h);
        const Texts before = ResultTexts(h);
        const auto copyBefore = h.form->lastCompletedCalculation();
        QString totalCoilsWhileShown;
        h.dialogs.whileShown = [&](const FakeUserDialogs::Shown &) {
            totalCoilsWhileShown = h.text(19)->text();
        };
        h.form->Command1_Click();

        QCOMPARE(h.dialogs.texts(), QStringList{warning});
        QVERIFY(h.dialogs.shown.front().kind == FakeUserDialogs::Kind::Warning);
        QCOMPARE(totalCoilsWhileShown, totalCoilsShown);
        Texts expected = before;
        expected[19] = totalCoilsShown;
        QCOMPARE(ResultTexts(h), expected);
        QCOMPARE(h.command(2)->isEnabled(), calculatedBefore);
        QCOMPARE(h.form->lastCompletedCalculation().has_value(), copyBefore.has_value());
        if (copyBefore) {
            QVERIFY(h.form->lastCompletedCalculation()->design == copyBefore->design);
        }
    }
}

void CalculateTest::stressWarningThenResults() {
    FormHarness h;
    h.text(3)->setText(QStringLiteral("400"));
    QString indexWhileShown;
    h.dialogs.whileShown = [&](const FakeUserDialogs::Shown &) {
        indexWhileShown = h.text(16)->text();
    };
    h.form->Command1_Click();
    QCOMPARE(h.dialogs.texts(),
             QStringList{QStringLiteral("注意!\r\n最大工作载荷下,弹簧最大切应力大于许用切应力!\r\n"
                                        "建议调整弹簧参数!")});
    QCOMPARE(indexWhileShown, QStringLiteral("0")); // the box comes before the results
    QCOMPARE(ResultTexts(h), kDefaultResults);
    QVERIFY(h.command(2)->isEnabled());
}

void CalculateTest::designFault_data() {
    QTest::addColumn<Setup>("setup");
    QTest::addColumn<QString>("message");
    QTest::newRow("D = d") << SetText(5, "4")
                           << QStringLiteral("曲度系数: 弹簧中径等于材料直径 (除数为零)");
    QTest::newRow("load beyond float")
        << SetText(9, "3e38") << QStringLiteral("工作载荷: 结果超出单精度数值范围 (溢出)");
    // So few active coils that the rate does not fit a float.
    QTest::newRow("rate beyond float") << Setup([](FormHarness &h) {
        h.text(4)->setText(QStringLiteral("1e-35"));
        h.text(19)->setText(QStringLiteral("2"));
        h.text(6)->setText(QStringLiteral("40"));
        h.text(5)->setText(QStringLiteral("41"));
    }) << QStringLiteral("刚度: 结果超出单精度数值范围 (溢出)");
}

void CalculateTest::designFault() {
    QFETCH(Setup, setup);
    QFETCH(QString, message);

    for (const bool calculatedBefore : {false, true}) {
        FormHarness h;
        if (calculatedBefore) {
            h.form->Command1_Click();
        }
        setup(h);
        const Texts before = ResultTexts(h);
        h.form->Command1_Click();
        QCOMPARE(h.dialogs.texts(), QStringList{message});
        QVERIFY(h.dialogs.shown.front().kind == FakeUserDialogs::Kind::Critical);
        QCOMPARE(h.dialogs.shown.front().title, QStringLiteral("Orsela"));
        QCOMPARE(ResultTexts(h), before);
        QCOMPARE(h.command(2)->isEnabled(), calculatedBefore);
        QVERIFY(h.fatalErrors.isEmpty());
        QVERIFY(h.form->isVisible());
        // The window goes on: mend the design and calculate again.
        for (const auto &[n, designed] :
             {std::pair{4, "5"}, {19, "6.5"}, {6, "4"}, {5, "28"}, {9, "40"}}) {
            h.text(n)->setText(QString::fromUtf8(designed));
        }
        h.form->Command1_Click();
        QCOMPARE(ResultTexts(h), kDefaultResults);
    }
}

void CalculateTest::unreadableField_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("message");
    // Disabled fields are read too; their text was never checked on exit.
    // The message names the field by its caption.
    QTest::newRow("letters") << 10 << QStringLiteral("abc")
                             << QStringLiteral("“最大工作载荷F3”不是一个数值 (类型不匹配)。");
    QTest::newRow("empty") << 24 << QString()
                           << QStringLiteral("“拉伸弹簧初拉力”是空的, 不是一个数值 (类型不匹配)。");
    QTest::newRow("beyond float") << 18 << QStringLiteral("1e39")
                                  << QStringLiteral("“节距”的数值太大 (溢出)。");
    // Put there without leaving the field (a paste, then Calculate by mouse).
    QTest::newRow("enabled field")
        << 2 << QStringLiteral("7x") << QStringLiteral("“切变模量”不是一个数值 (类型不匹配)。");
}

void CalculateTest::unreadableField() {
    QFETCH(int, field);
    QFETCH(QString, typed);
    QFETCH(QString, message);
    FormHarness h;
    h.text(field)->setText(typed);
    const SpringDesign recordBefore = h.form->springDesign();
    h.form->Command1_Click();
    QCOMPARE(h.dialogs.texts().size(), 1);
    QVERIFY2(h.dialogs.texts().front().startsWith(message), qPrintable(h.dialogs.texts().front()));
    QCOMPARE(h.text(16)->text(), QStringLiteral("0"));
    QCOMPARE(h.text(field)->text(), typed);
    QVERIFY(!h.command(2)->isEnabled());
    QVERIFY(h.form->springDesign() == recordBefore); // nothing stored either
    // The focus goes to the field where it can take it.
    QCOMPARE(h.focusName() == h.text(field)->objectName(), h.text(field)->isEnabled());
}

void CalculateTest::unreadableFieldDisabledBySwitch() {
    // "abc" left in the free height, then the switch to extension disables
    // it: Calculate names the field and says why it cannot be edited.
    FormHarness h;
    h.text(13)->setText(QStringLiteral("abc"));
    h.option(2)->click();
    h.form->Command1_Click();
    QCOMPARE(h.dialogs.texts().size(), 1);
    const QString shown = h.dialogs.texts().front();
    QVERIFY2(shown.startsWith(QStringLiteral("“自由高度”不是一个数值")), qPrintable(shown));
    QVERIFY2(shown.contains(QStringLiteral("不能编辑")), qPrintable(shown));
    QVERIFY(h.form->isVisible());
}

void CalculateTest::inputInvalidBlocksCalculate() {
    FormHarness h;
    h.typeAndLeave(5, QStringLiteral("-1"));
    QVERIFY(h.form->inputInvalid());
    // Calculate moves the focus out of the refused field: its check runs
    // again, first, and Calculate then stops without a message of its own.
    h.form->Command1_Click();
    QCOMPARE(h.dialogs.texts(), QStringList(2, QStringLiteral("请输入一个合适的弹簧中径!")));
    QCOMPARE(h.text(16)->text(), QStringLiteral("0"));
    QVERIFY(!h.command(2)->isEnabled());
    QCOMPARE(h.focusName(), QStringLiteral("Text5"));
    // Mended, the same command calculates.
    h.text(5)->setText(QStringLiteral("28"));
    h.form->Command1_Click();
    QCOMPARE(h.dialogs.shown.size(), 2);
    QCOMPARE(ResultTexts(h), kDefaultResults);
}

void CalculateTest::localeSeparator() {
    FormHarness h(",");
    h.text(19)->setText(QStringLiteral("6,5"));  // the locale's separator
    h.text(13)->setText(QStringLiteral("44.0")); // and the point, in every locale
    h.form->Command1_Click();
    QVERIFY(h.dialogs.shown.isEmpty());
    QCOMPARE(h.text(13)->text(), QStringLiteral("44,0"));
    QCOMPARE(h.text(12)->text(), QStringLiteral("92,128"));
    QCOMPARE(h.text(20)->text(), QStringLiteral("497,944"));

    FormHarness e(",");
    e.text(4)->setText(QStringLiteral("5,5"));
    ExtensionWithLoads(e);
    e.form->Command1_Click();
    QCOMPARE(e.text(19)->text(), QStringLiteral("5,5")); // general form, locale's separator
}

void CalculateTest::completedCopyKeepsTypeOfItsRun() {
    FormHarness h;
    h.form->Command1_Click();
    // Switching the type afterwards changes the form state at once, not the
    // copy of the completed run.
    h.option(2)->click();
    QCOMPARE(h.form->springTypeName(), QStringLiteral("拉伸弹簧"));
    QCOMPARE(h.form->lastCompletedCalculation()->typeName, std::string("压缩弹簧"));
    // A stopped extension run does not replace it.
    h.form->Command1_Click();
    QCOMPARE(h.dialogs.shown.size(), 1);
    QCOMPARE(h.form->lastCompletedCalculation()->typeSign, kCompressionSpring);
    QCOMPARE(h.form->lastCompletedCalculation()->design.TotalCoils, 6.5F);
}

void CalculateTest::unexpectedErrorGoesToFatalHandler() {
    FormHarness h;
    h.text(3)->setText(QStringLiteral("400")); // the stress warning
    h.dialogs.whileShown = [](const FakeUserDialogs::Shown &) { throw std::bad_alloc(); };
    h.form->Command1_Click();
    QCOMPARE(h.fatalErrors, QStringList{QStringLiteral("内存不足")});
    QVERIFY(!h.command(2)->isEnabled());
}

QTEST_MAIN(CalculateTest)
#include "test_calculate.moc"
