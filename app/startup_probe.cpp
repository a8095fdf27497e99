#include "startup_probe.h"

#include <QCoreApplication>
#include <QEvent>
#include <QWindow>

#include <chrono>

#ifdef Q_OS_LINUX
#include <ctime>
#include <fstream>
#include <sstream>
#include <string>

#include <unistd.h>
#endif

namespace {

// Where the kernel's start time is not at hand: this file's static set-up, just before main().
const auto staticSetUp = std::chrono::steady_clock::now();

double MillisecondsSinceStaticSetUp() {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - staticSetUp)
        .count();
}

#ifdef Q_OS_LINUX
// Milliseconds since this process started, from /proc/self/stat (field 22, clock ticks since
// boot); negative when that cannot be read.
double MillisecondsSinceKernelStart() {
    std::ifstream stat("/proc/self/stat");
    std::string line;
    if (!std::getline(stat, line)) {
        return -1.0;
    }
    // The command name in field 2 may hold spaces; the fields after it are plain numbers.
    const auto nameEnd = line.rfind(')');
    if (nameEnd == std::string::npos) {
        return -1.0;
    }
    std::istringstream fields(line.substr(nameEnd + 1));
    std::string field;
    for (int number = 3; number < 22 && fields >> field; ++number) {
    }
    unsigned long long startTicks = 0;
    const long ticksPerSecond = sysconf(_SC_CLK_TCK);
    timespec sinceBoot{};
    if (!(fields >> startTicks) || ticksPerSecond <= 0 ||
        clock_gettime(CLOCK_BOOTTIME, &sinceBoot) != 0) {
        return -1.0;
    }
    return static_cast<double>(sinceBoot.tv_sec) * 1e3 +
           static_cast<double>(sinceBoot.tv_nsec) * 1e-6 -
           static_cast<double>(startTicks) * 1e3 / static_cast<double>(ticksPerSecond);
}
#endif

} // namespace

double MillisecondsSinceLaunch() {
    bool stamped = false;
    const qint64 launchMicroseconds =
        qEnvironmentVariable("ORSELA_LAUNCH_REALTIME_US").toLongLong(&stamped);
    if (stamped && launchMicroseconds > 0) {
        const auto now = std::chrono::duration_cast<std::chrono::microseconds>(
                             std::chrono::system_clock::now().time_since_epoch())
                             .count();
        return static_cast<double>(now - launchMicroseconds) * 1e-3;
    }
#ifdef Q_OS_LINUX
    const double sinceKernelStart = MillisecondsSinceKernelStart();
    if (sinceKernelStart >= 0.0) {
        return sinceKernelStart;
    }
#endif
    return MillisecondsSinceStaticSetUp();
}

StartupProbe *StartupProbe::installIfRequested(QCoreApplication &app) {
    if (qEnvironmentVariable("ORSELA_EXIT_WHEN_SHOWN") != QLatin1String("1")) {
        return nullptr;
    }
    auto *probe = new StartupProbe(stdout, &app);
    app.installEventFilter(probe);
    return probe;
}

StartupProbe::StartupProbe(std::FILE *out, QObject *parent) : QObject(parent), out_(out) {}

bool StartupProbe::eventFilter(QObject *watched, QEvent *event) {
    // Show comes before the window is mapped; Expose says it is on the screen. The window paints
    // while it handles this Expose, so the report waits until that is done.
    if (!windowExposed_ && event->type() == QEvent::Expose) {
        const auto *window = qobject_cast<QWindow *>(watched);
        if (window != nullptr && window->isTopLevel() && window->isExposed()) {
            windowExposed_ = true;
            QMetaObject::invokeMethod(this, &StartupProbe::reportShown, Qt::QueuedConnection);
        }
    }
    return QObject::eventFilter(watched, event);
}

void StartupProbe::reportShown() {
    std::fprintf(out_, "startup: shown after %.1f ms\n", MillisecondsSinceLaunch());
    std::fflush(out_);
    QCoreApplication::quit();
}
