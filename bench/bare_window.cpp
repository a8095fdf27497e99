// The yardstick for the window program's start-up: an empty Qt Widgets window of the same
// client size (8490 x 6045 twips, 566 x 403 px) and title, built with the same flags. What it
// costs is what any Qt window costs; bench/startup.sh compares the two. It reports its start-up
// through the same probe as the window program.
#include "startup_probe.h"

#include <QApplication>
#include <QWidget>

int main(int argc, char *argv[]) {
    QApplication app(argc, argv);
    StartupProbe::installIfRequested(app);

    QWidget window;
    window.setWindowTitle(QStringLiteral("Quorlan\\Orsela"));
    window.setFixedSize(566, 403);
    window.show();
    return QApplication::exec();
}
