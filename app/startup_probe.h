// Start-up figures for bench/startup.sh. With ORSELA_EXIT_WHEN_SHOWN=1 in the environment the
// program prints one line, "startup: shown after 123.4 ms", once its first top-level window is
// on the screen and painted, and then quits. Without the variable nothing changes.
//
// In main(), after the QApplication is constructed:
//     StartupProbe::installIfRequested(app);
#pragma once

#include <QObject>

#include <cstdio>

class QCoreApplication;

class StartupProbe : public QObject {
  public:
    // A probe on all of app's events when ORSELA_EXIT_WHEN_SHOWN is "1", owned by app;
    // otherwise nullptr.
    static StartupProbe *installIfRequested(QCoreApplication &app);

    // Reports to out (stdout in the program) and quits the application after reporting.
    explicit StartupProbe(std::FILE *out, QObject *parent = nullptr);

  protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

  private:
    void reportShown();

    std::FILE *out_;
    bool windowExposed_ = false;
};

// Milliseconds from the launch of this process until now. The launch is the wall-clock stamp
// ORSELA_LAUNCH_REALTIME_US (microseconds since 1970) when the launcher sets it, since the
// kernel keeps the start time only in 10 ms steps; otherwise that kernel start time.
double MillisecondsSinceLaunch();
