// The start-up probe that bench/startup.sh relies on: one report when the first window is
// shown, then the program quits; nothing at all without ORSELA_EXIT_WHEN_SHOWN=1.
#include "startup_probe.h"

#include <QApplication>
#include <QRegularExpression>
#include <QTimer>
#include <QWidget>
#include <QtTest>

#include <chrono>
#include <cstdio>

namespace {

QString ContentsOf(std::FILE *file) {
    std::fflush(file);
    std::rewind(file);
    QByteArray text;
    char buffer[256];
    while (std::fgets(buffer, sizeof buffer, file) != nullptr) {
        text += buffer;
    }
    return QString::fromUtf8(text);
}

qint64 MicrosecondsSinceEpoch() {
    return std::chrono::duration_cast<std::chrono::microseconds>(
               std::chrono::system_clock::now().time_since_epoch())
        .count();
}

} // namespace

class StartupProbeTest : public QObject {
    Q_OBJECT

  private slots:
    void init() {
        qunsetenv("ORSELA_EXIT_WHEN_SHOWN");
        qunsetenv("ORSELA_LAUNCH_REALTIME_US");
    }

    void installsOnlyWhenAsked_data() {
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<bool>("installed");
        QTest::newRow("unset") << QByteArray() << false;
        QTest::newRow("1") << QByteArray("1") << true;
        QTest::newRow("0") << QByteArray("0") << false;
        QTest::newRow("empty") << QByteArray("") << false;
        QTest::newRow("yes") << QByteArray("yes") << false;
    }

    void installsOnlyWhenAsked() {
        QFETCH(QByteArray, value);
        QFETCH(bool, installed);
        if (!value.isNull()) {
            qputenv("ORSELA_EXIT_WHEN_SHOWN", value);
        }
        StartupProbe *probe = StartupProbe::installIfRequested(*qApp);
        QCOMPARE(probe != nullptr, installed);
        delete probe; // also removes it from the application's event filters
    }

    // The probe quits the event loop after one report; a missing report would hang here, so a
    // timer ends the loop with another status instead.
    void reportsOnceAndQuitsWhenTheWindowIsShown() {
        std::FILE *out = std::tmpfile();
        QVERIFY(out != nullptr);
        StartupProbe probe(out);
        qApp->installEventFilter(&probe);

        QWidget window;
        window.setFixedSize(566, 403);
        window.show();
        QTimer::singleShot(20000, qApp, [] { QCoreApplication::exit(2); });
        QCOMPARE(QApplication::exec(), 0);

        // A second window later on is no second start-up.
        QWidget another;
        another.show();
        QVERIFY(QTest::qWaitForWindowExposed(&another));
        QCoreApplication::processEvents();
        qApp->removeEventFilter(&probe);

        const QString report = ContentsOf(out);
        std::fclose(out);
        const QRegularExpression line("^startup: shown after \\d+\\.\\d ms\\n$");
        QVERIFY2(line.match(report).hasMatch(), qPrintable(report));
    }

    void launchStampFromTheLauncherIsTheOrigin() {
        const qint64 fiveSecondsAgo = MicrosecondsSinceEpoch() - 5'000'000;
        qputenv("ORSELA_LAUNCH_REALTIME_US", QByteArray::number(fiveSecondsAgo));
        const double elapsed = MillisecondsSinceLaunch();
        QVERIFY2(elapsed >= 5000.0 && elapsed < 6000.0, qPrintable(QString::number(elapsed)));
    }

    // Without a usable stamp the process's own start time counts: this test program started
    // moments ago, not in 1970 and not in the future.
    void withoutAStampTheProcessStartIsTheOrigin_data() {
        QTest::addColumn<QByteArray>("stamp");
        QTest::newRow("unset") << QByteArray();
        QTest::newRow("garbage") << QByteArray("soon");
        QTest::newRow("zero") << QByteArray("0");
    }

    void withoutAStampTheProcessStartIsTheOrigin() {
        QFETCH(QByteArray, stamp);
        if (!stamp.isNull()) {
            qputenv("ORSELA_LAUNCH_REALTIME_US", stamp);
        }
        const double elapsed = MillisecondsSinceLaunch();
        QVERIFY2(elapsed >= 0.0 && elapsed < 600'000.0, qPrintable(QString::number(elapsed)));
    }
};

QTEST_MAIN(StartupProbeTest)
#include "startup_probe_test.moc"
