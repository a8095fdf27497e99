// The yardstick for the window program's start-up: an empty Qt Widgets window of the same
// client size (8490 x 6045 twips, 566 x 403 px) and title, built with the same flags. What it
// costs is what any Qt window costs; bench/startup.sh compares the two.
//
// With ORSELA_EXIT_WHEN_SHOWN=1 it prints "startup: shown after N ms" once the window is on the
// screen and painted, and quits, exactly as the window program's start-up probe does. The
// launch is ORSELA_LAUNCH_REALTIME_US (microseconds since 1970) from the launcher; without it,
// this program's own start.
#include <QApplication>
#include <QEvent>
#include <QWidget>
#include <QWindow>

#include <chrono>
#include <cstdio>

namespace {

const auto programStart = std::chrono::steady_clock::now();

double MillisecondsSinceLaunch() {
    bool stamped = false;
    const qint64 launch = qEnvironmentVariable("ORSELA_LAUNCH_REALTIME_US").toLongLong(&stamped);
    if (stamped && launch > 0) {
        const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
        return static_cast<double>(now - launch) * 1e-3;
    }
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() -
                                                     programStart)
        .count();
}

class ShownReporter : public QObject {
  protected:
    bool eventFilter(QObject *watched, QEvent *event) override {
        if (!exposed_ && event->type() == QEvent::Expose) {
            const auto *window = qobject_cast<QWindow *>(watched);
            if (window != nullptr && window->isTopLevel() && window->isExposed()) {
                exposed_ = true;
                // After the window has handled the Expose, that is, painted.
                QMetaObject::invokeMethod(
                    this,
                    [] {
                        std::printf("startup: shown after %.1f ms\n", MillisecondsSinceLaunch());
                        std::fflush(stdout);
                        QCoreApplication::quit();
                    },
                    Qt::QueuedConnection);
            }
        }
        return QObject::eventFilter(watched, event);
    }

  private:
    bool exposed_ = false;
};

} // namespace

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    ShownReporter reporter;
    if (qEnvironmentVariable("ORSELA_EXIT_WHEN_SHOWN") == QLatin1String("1")) {
        app.installEventFilter(&reporter);
    }

    QWidget window;
    window.setWindowTitle(QStringLiteral("Quorlan\\Orsela"));
    window.setFixedSize(566, 403);
    window.show();
    return QApplication::exec();
}
