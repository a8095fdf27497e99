// The real message boxes and save dialog, as the user meets them: Qt's own
// texts in Chinese, the save dialog's title, starting folder and columns,
// boxes wide enough for their lines and their title. Run once offscreen and
// once on an X server (xvfb-run), where the titles are read back from the
// window system itself.
#include "about_text.h"
#include "application_setup.h"
#include "message_box_dialogs.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeView>

#include <functional>

namespace {

// Runs inspect on the next modal window once it is shown, then closes it, so
// that the modal loop always ends.
void WhenModalShown(std::function<void(QWidget *)> inspect) {
    auto *poll = new QTimer;
    QObject::connect(poll, &QTimer::timeout, [poll, inspect] {
        QWidget *modal = QApplication::activeModalWidget();
        if (modal == nullptr || !modal->isVisible()) {
            return;
        }
        poll->stop();
        poll->deleteLater();
        // Let the window system see the window before it is asked.
        QTest::qWait(200);
        inspect(modal);
        if (auto *dialog = qobject_cast<QDialog *>(modal)) {
            dialog->reject();
        } else {
            modal->close();
        }
    });
    poll->start(20);
}

// The title the window manager shows, from the X server (_NET_WM_NAME).
QString TitleOnTheServer(QWidget *window) {
    QProcess xprop;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
    xprop.setProcessEnvironment(environment);
    xprop.start(QStringLiteral("xprop"), {QStringLiteral("-id"), QString::number(window->winId()),
                                          QStringLiteral("_NET_WM_NAME")});
    if (!xprop.waitForFinished(5000)) {
        return QStringLiteral("<xprop did not answer>");
    }
    // _NET_WM_NAME(UTF8_STRING) = "保存"
    const QString line = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype start = line.indexOf(QLatin1Char('"'));
    return start < 0 ? line : line.mid(start + 1, line.lastIndexOf(QLatin1Char('"')) - start - 1);
}

bool OnAnXServer() {
    return QGuiApplication::platformName() == QStringLiteral("xcb");
}

} // namespace

class RealDialogsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase();
    void qtTextsInChinese();
    void saveDialogAsDesigned();
    void aboutLinesStandOnOneLine();
    void boxesShowTheirTitle_data();
    void boxesShowTheirTitle();

  private:
    QString documents_;
};

void RealDialogsTest::initTestCase() {
    SetUpApplication();
    documents_ = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QVERIFY(QDir().mkpath(documents_));
}

void RealDialogsTest::qtTextsInChinese() {
    QVERIFY(InstallChineseQtTranslation());
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Orsela"), QStringLiteral("x"),
                    QMessageBox::Ok | QMessageBox::Yes | QMessageBox::No);
    QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    QVERIFY(!box.button(QMessageBox::Yes)->text().contains(QStringLiteral("Yes")));
    QVERIFY(!box.button(QMessageBox::No)->text().contains(QStringLiteral("No")));
}

void RealDialogsTest::saveDialogAsDesigned() {
    MessageBoxDialogs dialogs;
    QString title;
    QString serverTitle;
    QString folder;
    QStringList buttons;
    QStringList clippedColumns;
    WhenModalShown([&](QWidget *window) {
        auto *dialog = qobject_cast<QFileDialog *>(window);
        QVERIFY(dialog != nullptr);
        title = dialog->windowTitle();
        if (OnAnXServer()) {
            serverTitle = TitleOnTheServer(dialog);
        }
        folder = dialog->directory().absolutePath();
        for (QAbstractButton *button : dialog->findChild<QDialogButtonBox *>()->buttons()) {
            buttons << button->text();
        }
        auto *list = dialog->findChild<QTreeView *>(QStringLiteral("treeView"));
        QHeaderView *header = list->header();
        for (int column = 0; column < header->count(); ++column) {
            if (header->sectionSize(column) < header->sectionSizeHint(column)) {
                clippedColumns << header->model()->headerData(column, Qt::Horizontal).toString();
            }
        }
    });
    const auto chosen =
        dialogs.askSaveFileName(QStringLiteral("保存"), QStringLiteral("Orsela结果"),
                                QStringLiteral("*.doc (*.doc)"), QStringLiteral("doc"));
    QVERIFY(!chosen.has_value());
    QCOMPARE(title, QStringLiteral("保存"));
    if (OnAnXServer()) {
        QCOMPARE(serverTitle, QStringLiteral("保存"));
    }
    QCOMPARE(folder, QDir(documents_).absolutePath());
    QVERIFY2(buttons.filter(QStringLiteral("保存")).size() == 1 &&
                 buttons.contains(QStringLiteral("取消")),
             qPrintable(buttons.join(',')));
    QVERIFY2(clippedColumns.isEmpty(), qPrintable(clippedColumns.join(',')));
}

void RealDialogsTest::aboutLinesStandOnOneLine() {
    MessageBoxDialogs dialogs;
    QStringList wrapped;
    WhenModalShown([&](QWidget *box) {
        auto *label = box->findChild<QLabel *>(QStringLiteral("qt_msgbox_label"));
        const QFontMetrics metrics(label->font());
        for (const QString &line : AboutText().split(QStringLiteral("\r\n"))) {
            if (metrics.horizontalAdvance(line) > label->contentsRect().width()) {
                wrapped << line;
            }
        }
    });
    dialogs.showInformation(AboutTitle(), AboutText());
    QVERIFY2(wrapped.isEmpty(), qPrintable(wrapped.join('\n')));
}

void RealDialogsTest::boxesShowTheirTitle_data() {
    QTest::addColumn<bool>("about");
    QTest::addColumn<QString>("text");
    QTest::newRow("short warning") << false << QStringLiteral("溢出");
    QTest::newRow("About") << true << AboutText();
}

void RealDialogsTest::boxesShowTheirTitle() {
    QFETCH(bool, about);
    QFETCH(QString, text);
    const QString title = about ? AboutTitle() : QStringLiteral("Orsela");
    MessageBoxDialogs dialogs;
    int width = 0;
    QString serverTitle;
    WhenModalShown([&](QWidget *box) {
        width = box->width();
        if (OnAnXServer()) {
            serverTitle = TitleOnTheServer(box);
        }
    });
    if (about) {
        dialogs.showInformation(title, text);
    } else {
        dialogs.showCritical(text);
    }
    // The title's text, the window manager's buttons and margins.
    QVERIFY2(width >= QFontMetrics(QApplication::font()).horizontalAdvance(title) + 150,
             qPrintable(QString::number(width)));
    if (OnAnXServer()) {
        QCOMPARE(serverTitle, title);
    }
}

// A home of its own: the test creates its documents folder there and
// nowhere else.
int main(int argc, char **argv) {
    QTemporaryDir home;
    if (!home.isValid()) {
        return 1;
    }
    qputenv("HOME", home.path().toLocal8Bit());
    qunsetenv("XDG_CONFIG_HOME");
    qunsetenv("XDG_DOCUMENTS_DIR");
    QApplication application(argc, argv);
    RealDialogsTest test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_real_dialogs.moc"
