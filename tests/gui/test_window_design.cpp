// The window as it opens: caption, size, controls and their places, fonts,
// texts and states, and the form-level state of start-up.
#include "form_fonts.h"
#include "form_harness.h"

#include "report_date.h"
#include <limits>

#include <QFontDatabase>
#include <QFontInfo>
#include <QGroupBox>
#include <QIcon>
#include <QImage>
#include <QLabel>

class WindowDesignTest : public QObject {
    Q_OBJECT

  private slots:
    void windowFrame();
    void everyControlByItsName();
    void placesInTheClientArea_data();
    void placesInTheClientArea();
    void namingLabelsStandLeftOfTheirFields();
    void labelsFitTheirFrames();
    void fonts();
    void initialFields_data();
    void initialFields();
    void initialButtons();
    void startUpState();
    void fieldsKeepEveryCharacterTyped();
};

void WindowDesignTest::windowFrame() {
    FormHarness h;
    QCOMPARE(h.form->windowTitle(), QStringLiteral("Quorlan\\Orsela"));
    QCOMPARE(h.form->size(), QSize(566, 403));
    QCOMPARE(h.form->minimumSize(), h.form->maximumSize()); // not resizable
    QVERIFY(!(h.form->windowFlags() & Qt::WindowMaximizeButtonHint));
    // Each size of the icon is the picture of its PNG file, pixel for pixel
    // (premultiplied, as a pixmap holds it).
    const QIcon icon = h.form->windowIcon();
    for (const int size : {16, 32, 48}) {
        QVERIFY2(icon.availableSizes().contains(QSize(size, size)),
                 qPrintable(QString::number(size)));
        const QImage built = icon.pixmap(QSize(size, size))
                                 .toImage()
                                 .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        const QImage file = QImage(QStringLiteral(ORSELA_ICONS_DIR "/orsela-%1.png").arg(size))
                                .convertToFormat(QImage::Format_ARGB32_Premultiplied);
        QVERIFY2(!file.isNull(), qPrintable(QString::number(size)));
        QCOMPARE(built, file);
    }
}

void WindowDesignTest::everyControlByItsName() {
    FormHarness h;
    const auto count = [&](const QString &prefix, int last, auto *type) {
        using T = std::remove_pointer_t<decltype(type)>;
        for (int n = 1; n <= last; ++n) {
            const QString name = prefix + QString::number(n);
            QVERIFY2(h.form->findChild<T *>(name) != nullptr, qPrintable(name));
        }
        QVERIFY(h.form->findChild<T *>(prefix + QString::number(last + 1)) == nullptr);
    };
    count(QStringLiteral("Text"), 24, static_cast<QLineEdit *>(nullptr));
    count(QStringLiteral("Label"), 29, static_cast<QLabel *>(nullptr));
    count(QStringLiteral("Frame"), 6, static_cast<QGroupBox *>(nullptr));
    count(QStringLiteral("Option"), 4, static_cast<QRadioButton *>(nullptr));
    count(QStringLiteral("Command"), 4, static_cast<QPushButton *>(nullptr));
}

void WindowDesignTest::placesInTheClientArea_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("container");
    QTest::addColumn<QRect>("rect"); // pixels in the client area: twips / 15
    const auto row = [](const char *name, const char *container, QRect rect) {
        QTest::newRow(name) << QString::fromUtf8(name) << QString::fromUtf8(container) << rect;
    };
    row("Frame1", "FormTanHuang", QRect(16, 40, 365, 45));
    row("Frame6", "FormTanHuang", QRect(392, 40, 161, 221));
    row("Text1", "Frame3", QRect(116, 124, 77, 21));
    row("Text5", "Frame4", QRect(296, 144, 49, 21));
    row("Text24", "Frame2", QRect(324, 356, 46, 21));
    row("Text20", "Frame6", QRect(478, 228, 66, 21));
    row("Command1", "FormTanHuang", QRect(444, 268, 91, 26));
}

void WindowDesignTest::placesInTheClientArea() {
    QFETCH(QString, name);
    QFETCH(QString, container);
    QFETCH(QRect, rect);
    FormHarness h;
    auto *control = h.form->findChild<QWidget *>(name);
    QCOMPARE(control->parentWidget()->objectName(), container);
    const QPoint origin = control->mapTo(h.form.get(), QPoint(0, 0));
    QCOMPARE(QRect(origin, control->size()), rect);
}

void WindowDesignTest::namingLabelsStandLeftOfTheirFields() {
    FormHarness h;
    const QList<QPair<int, int>> pairs = {{2, 1},   {5, 3},   {9, 6},   {12, 9}, {13, 10},
                                          {16, 13}, {27, 24}, {23, 20}, {19, 16}};
    for (const auto &[label, field] : pairs) {
        auto *l = h.form->findChild<QLabel *>(QStringLiteral("Label%1").arg(label));
        const QRect labelRect(l->mapTo(h.form.get(), QPoint()), l->size());
        const QRect fieldRect(h.text(field)->mapTo(h.form.get(), QPoint()), h.text(field)->size());
        QVERIFY2(labelRect.right() < fieldRect.left() &&
                     fieldRect.left() - (labelRect.right() + 1) <= 8,
                 qPrintable(l->objectName()));
        QVERIFY(qAbs(labelRect.center().y() - fieldRect.center().y()) <= 2);
        QVERIFY(l->alignment() & Qt::AlignRight);
    }
}

void WindowDesignTest::labelsFitTheirFrames() {
    FormHarness h;
    for (QLabel *label : h.form->findChildren<QLabel *>()) {
        const QRect inParent = label->geometry();
        QVERIFY2(label->parentWidget()->rect().contains(inParent),
                 qPrintable(QStringLiteral("%1 %2,%3 %4x%5 in %6 hint %7")
                                .arg(label->objectName())
                                .arg(inParent.x())
                                .arg(inParent.y())
                                .arg(inParent.width())
                                .arg(inParent.height())
                                .arg(label->parentWidget()->width())
                                .arg(label->sizeHint().width())));
        QVERIFY(label->sizeHint().width() <= label->width());
    }
}

void WindowDesignTest::fonts() {
    FormHarness h;
    for (QWidget *control : {static_cast<QWidget *>(h.text(5)), static_cast<QWidget *>(h.option(1)),
                             static_cast<QWidget *>(h.command(1))}) {
        const QFont font = control->font();
        // "宋体" where it is installed, else the embedded face: the face the
        // font names is the face drawn.
        QCOMPARE(QFontInfo(font).family(), font.family());
        QCOMPARE(font.pointSizeF(), 10.5);
        QCOMPARE(font.weight(), QFont::Normal);
        // Whatever face is found, it has the Chinese glyphs, and a character
        // the window never shows comes from a fallback face.
        QVERIFY(QFontMetrics(font).inFontUcs4(U'弹'));
        QVERIFY(QFontMetrics(font).inFontUcs4(U'鑫'));
    }
    // One face for every control but the title, the unit labels included;
    // without "宋体" on the system, the program's own.
    const QString face = QFontInfo(h.text(5)->font()).family();
    if (!QFontDatabase::families().contains(QStringLiteral("宋体"))) {
        QCOMPARE(face, QString::fromUtf8(kEmbeddedSerifFamily));
    }
    for (QWidget *control : h.form->findChildren<QWidget *>()) {
        if (control->objectName() != QStringLiteral("Label1") && !control->objectName().isEmpty()) {
            QVERIFY2(QFontInfo(control->font()).family() == face,
                     qPrintable(control->objectName() + ' ' + QFontInfo(control->font()).family()));
        }
    }
    auto *title = h.form->findChild<QLabel *>(QStringLiteral("Label1"));
    if (!QFontDatabase::families().contains(QStringLiteral("幼圆"))) {
        QCOMPARE(QFontInfo(title->font()).family(), QString::fromUtf8(kEmbeddedTitleFamily));
    }
    QCOMPARE(title->text(), QStringLiteral("Orsela"));
    QCOMPARE(QFontInfo(title->font()).family(), title->font().family());
    QCOMPARE(title->font().pointSizeF(), 15.0);
    QCOMPARE(title->font().weight(), QFont::Bold);
    QCOMPARE(title->palette().color(QPalette::WindowText), QColor(0, 0, 255));
    QCOMPARE(title->pos(), QPoint(132, title->y()));
}

void WindowDesignTest::initialFields_data() {
    QTest::addColumn<int>("field");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("enabled");
    QTest::addColumn<bool>("readOnly");
    struct Row {
        int field;
        const char *text;
        bool enabled;
        bool readOnly;
    };
    const Row rows[] = {
        {1, "70-C", true, false}, {2, "79000", true, false}, {3, "660", true, false},
        {4, "5", true, false},    {5, "28", true, false},    {6, "4", true, false},
        {7, "28", true, false},   {8, "36", true, false},    {9, "40", true, false},
        {10, "0", false, false},  {11, "0", false, false},   {12, "0", false, false},
        {13, "44", true, false},  {14, "0", true, true},     {15, "0", true, true},
        {16, "0", true, true},    {17, "0", true, true},     {18, "4", false, false},
        {19, "6.5", true, false}, {20, "0", true, true},     {21, "0", true, true},
        {22, "0", true, true},    {23, "0", true, true},     {24, "0", false, false},
    };
    for (const Row &r : rows) {
        QTest::addRow("Text%d", r.field)
            << r.field << QString::fromUtf8(r.text) << r.enabled << r.readOnly;
    }
}

void WindowDesignTest::initialFields() {
    QFETCH(int, field);
    QFETCH(QString, text);
    QFETCH(bool, enabled);
    QFETCH(bool, readOnly);
    FormHarness h;
    QLineEdit *edit = h.text(field);
    QCOMPARE(edit->text(), text);
    QCOMPARE(edit->isEnabled(), enabled);
    QCOMPARE(edit->isReadOnly(), readOnly);
    QCOMPARE(edit->maxLength(), std::numeric_limits<int>::max()); // no length limit
    if (readOnly) {
        // Takes the focus and a selection, but typing changes nothing.
        edit->setFocus(Qt::TabFocusReason);
        QCOMPARE(h.focusName(), edit->objectName());
        QTest::keyClicks(edit, QStringLiteral("12"));
        QCOMPARE(edit->text(), text);
        edit->selectAll();
        QCOMPARE(edit->selectedText(), text);
    }
}

void WindowDesignTest::initialButtons() {
    FormHarness h;
    const QStringList captions = {"计 算(&C)", "保 存(&S)", "退 出(&X)", "关于..."};
    for (int n = 1; n <= 4; ++n) {
        QCOMPARE(h.command(n)->text(), captions[n - 1]);
        QCOMPARE(h.command(n)->isEnabled(), n != 2);
    }
    QVERIFY(h.command(1)->isDefault());
    const QStringList options = {"压缩弹簧(两端并紧磨平)", "拉伸弹簧(圆钩环)", "已知工作高度(mm)",
                                 "已知工作载荷(N)"};
    for (int n = 1; n <= 4; ++n) {
        QCOMPARE(h.option(n)->text(), options[n - 1]);
        QCOMPARE(h.option(n)->isChecked(), n == 1 || n == 3);
    }
    QCOMPARE(h.form->findChild<QGroupBox *>(QStringLiteral("Frame6"))->title(),
             QStringLiteral("计算结果"));
}

void WindowDesignTest::startUpState() {
    const QDate before = QDate::currentDate();
    FormHarness h;
    const QDate after = QDate::currentDate();
    const auto dated = [](const QDate &d) {
        return QString::fromStdString(ReportDateText(d.year(), d.month(), d.day()));
    };
    QVERIFY(h.form->reportDate() == dated(before) || h.form->reportDate() == dated(after));
    QCOMPARE(h.form->springTypeSign(), kCompressionSpring);
    QCOMPARE(h.form->springTypeName(), QStringLiteral("压缩弹簧"));
    QVERIFY(!h.form->inputInvalid());
    QVERIFY(h.form->springDesign() == SpringDesign{});
    QVERIFY(!h.form->lastCompletedCalculation().has_value());
    QVERIFY(h.dialogs.shown.isEmpty());
}

void WindowDesignTest::fieldsKeepEveryCharacterTyped() {
    FormHarness h;
    const QString longText(40000, QLatin1Char('7'));
    for (int n = 1; n <= 24; ++n) {
        h.text(n)->setText(longText);
        QCOMPARE(h.text(n)->text().size(), longText.size());
    }
}

QTEST_MAIN(WindowDesignTest)
#include "test_window_design.moc"
