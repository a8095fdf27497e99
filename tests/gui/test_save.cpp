// The Save command: the dialog it asks, the report it writes of the last
// completed calculation, and the files it never damages.
#include "form_harness.h"

#include <QFile>
#include <QStringDecoder>
#include <QTemporaryDir>

namespace {

QByteArray ReadAll(const QString &path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

QStringList ReportLines(const QString &path) {
    QStringDecoder gbk("GBK");
    QString text = gbk.decode(ReadAll(path));
    if (text.endsWith(QStringLiteral("\r\n"))) {
        text.chop(2);
    }
    return text.split(QStringLiteral("\r\n"));
}

void Calculate(FormHarness &h) {
    h.command(1)->click();
    FormHarness::settle();
}

} // namespace

class SaveTest : public QObject {
    Q_OBJECT

  private slots:
    void writesTheReportOfTheSampleDesign();
    void proposesTheLastPathNextTime();
    void cancelWritesAndShowsNothing();
    void reportsTheLastCompletedCalculation();
    void failuresLeaveTheOldFileAndTheWindow_data();
    void failuresLeaveTheOldFileAndTheWindow();
    void unencodableMaterialIsNamedAndNothingWritten();
    void fieldJustLeftIsCheckedBeforeTheDialog();

  private:
    QTemporaryDir dir_;
};

void SaveTest::writesTheReportOfTheSampleDesign() {
    FormHarness h;
    Calculate(h);
    QVERIFY(h.command(2)->isEnabled());
    const QString path = dir_.filePath(QStringLiteral("sample.doc"));
    h.dialogs.saveAnswer = path;
    h.command(2)->click();

    QCOMPARE(h.dialogs.shown.size(), 1);
    QCOMPARE(h.dialogs.shown[0].kind, FakeUserDialogs::Kind::SaveDialog);
    QCOMPARE(h.dialogs.shown[0].title, QStringLiteral("保存"));
    QCOMPARE(h.dialogs.shown[0].text, QStringLiteral("Orsela结果"));
    QCOMPARE(h.dialogs.saveFilter, QStringLiteral("*.doc (*.doc)"));
    QCOMPARE(h.dialogs.saveDefaultSuffix, QStringLiteral("doc"));

    const QByteArray bytes = ReadAll(path);
    QVERIFY(!bytes.startsWith("\xEF\xBB\xBF"));
    QVERIFY(bytes.endsWith("\r\n"));
    const QStringList lines = ReportLines(path);
    QCOMPARE(lines.size(), 19);
    QCOMPARE(lines[0], QStringLiteral("-----Orsela结果-----") + h.form->reportDate());
    QCOMPARE(lines[3],
             QStringLiteral(" 1 弹簧类型     压缩弹簧          13 自由高度         44.0"));
    QCOMPARE(lines[5],
             QStringLiteral(" 3 切变模量     79000    MPa      15 工作载荷F1      92.128     N"));
    QCOMPARE(lines[18], QStringLiteral("----------结束----------"));
}

void SaveTest::proposesTheLastPathNextTime() {
    FormHarness h;
    Calculate(h);
    const QString path = dir_.filePath(QStringLiteral("twice.doc"));
    h.dialogs.saveAnswer = path;
    h.command(2)->click();
    h.text(9)->setText(QStringLiteral("41"));
    Calculate(h);
    h.command(2)->click();
    QCOMPARE(h.dialogs.shown.size(), 2);
    QCOMPARE(h.dialogs.shown[1].text, path);
    // Only the second report is in the file.
    const QStringList lines = ReportLines(path);
    QCOMPARE(lines.size(), 19);
    QVERIFY(lines[4].endsWith(QStringLiteral("41.0")));
}

void SaveTest::cancelWritesAndShowsNothing() {
    FormHarness h;
    Calculate(h);
    h.dialogs.saveAnswer.reset();
    const QStringList before = QDir(dir_.path()).entryList(QDir::Files);
    h.command(2)->click();
    QCOMPARE(h.dialogs.shown.size(), 1); // the dialog alone
    QCOMPARE(QDir(dir_.path()).entryList(QDir::Files), before);
    QVERIFY(h.command(2)->isEnabled());
}

void SaveTest::reportsTheLastCompletedCalculation() {
    FormHarness h;
    Calculate(h);
    // A stopped attempt and a switch of type after it change nothing saved.
    h.text(9)->setText(QStringLiteral("45"));
    Calculate(h);
    QCOMPARE(h.dialogs.texts().last(),
             QStringLiteral("压缩弹簧的工作高度大于自由高度!\r\n请输入合适的工作高度或工作载荷!"));
    h.option(2)->click();
    const QString path = dir_.filePath(QStringLiteral("last-completed.doc"));
    h.dialogs.saveAnswer = path;
    h.command(2)->click();
    const QStringList lines = ReportLines(path);
    QCOMPARE(lines.size(), 19); // no item 25: it was a compression spring
    QVERIFY(lines[3].contains(QStringLiteral("压缩弹簧")));
    QVERIFY(lines[4].endsWith(QStringLiteral("40.0")));
    QVERIFY(lines[5].contains(QStringLiteral("92.128")));
}

void SaveTest::failuresLeaveTheOldFileAndTheWindow_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("readOnly");
    QTest::addColumn<QString>("cause");
    QTest::newRow("missing folder")
        << QStringLiteral("no-such-folder/r.doc") << false << QStringLiteral("不存在");
    QTest::newRow("read-only file")
        << QStringLiteral("read-only.doc") << true << QStringLiteral("只读");
    QTest::newRow("a folder") << QStringLiteral(".") << false << QStringLiteral("文件夹");
}

void SaveTest::failuresLeaveTheOldFileAndTheWindow() {
    QFETCH(QString, name);
    QFETCH(bool, readOnly);
    QFETCH(QString, cause);
    const QString path = dir_.filePath(name);
    if (readOnly) {
        QFile old(path);
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("old report\r\n");
        old.close();
        QVERIFY(old.setPermissions(QFileDevice::ReadOwner | QFileDevice::ReadGroup));
    }
    FormHarness h;
    Calculate(h);
    h.dialogs.saveAnswer = path;
    h.command(2)->click();
    QCOMPARE(h.dialogs.shown.size(), 2);
    QCOMPARE(h.dialogs.shown[1].kind, FakeUserDialogs::Kind::Warning);
    QVERIFY2(h.dialogs.shown[1].text.contains(cause), qPrintable(h.dialogs.shown[1].text));
    QVERIFY(h.dialogs.shown[1].text.contains(path));
    if (readOnly) {
        QCOMPARE(ReadAll(path), QByteArray("old report\r\n"));
    }
    QVERIFY(h.fatalErrors.isEmpty());
    QVERIFY(h.form->isVisible());
    QVERIFY(h.command(2)->isEnabled());
}

void SaveTest::unencodableMaterialIsNamedAndNothingWritten() {
    FormHarness h;
    h.text(1)->setText(QStringLiteral("弹簧钢😀"));
    Calculate(h);
    const QString path = dir_.filePath(QStringLiteral("emoji.doc"));
    h.dialogs.saveAnswer = path;
    h.command(2)->click();
    QCOMPARE(h.dialogs.shown.size(), 2);
    QCOMPARE(h.dialogs.shown[1].kind, FakeUserDialogs::Kind::Warning);
    QVERIFY(h.dialogs.shown[1].text.contains(QStringLiteral("U+1F600")));
    QVERIFY(!QFile::exists(path));
}

void SaveTest::fieldJustLeftIsCheckedBeforeTheDialog() {
    FormHarness h;
    Calculate(h);
    h.enter(5);
    h.text(5)->setText(QStringLiteral("abc"));
    h.dialogs.saveAnswer.reset();
    h.command(2)->setFocus(Qt::MouseFocusReason);
    h.command(2)->click();
    FormHarness::settle();
    QCOMPARE(h.dialogs.shown.size(), 2);
    QCOMPARE(h.dialogs.shown[0].text, QStringLiteral("请输入一个数值!"));
    QCOMPARE(h.dialogs.shown[1].kind, FakeUserDialogs::Kind::SaveDialog);
}

QTEST_MAIN(SaveTest)
#include "test_save.moc"
