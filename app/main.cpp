#include "form_tan_huang.h"
#include "message_box_dialogs.h"
#include "program_icon.h"
#include "startup_probe.h"
#include "user_dialogs.h"

#include <QApplication>

int main(int argc, char **argv) {
    QApplication application(argc, argv);
    StartupProbe::installIfRequested(application);
    QApplication::setApplicationName(QStringLiteral("orsela"));
    QApplication::setApplicationDisplayName(QString::fromUtf8(kApplicationTitle));
    QApplication::setWindowIcon(ProgramIcon());
    // Lets the desktop match the window to its menu entry and icon.
    QGuiApplication::setDesktopFileName(QStringLiteral("org.orsela.Orsela"));

    MessageBoxDialogs dialogs;
    FormTanHuang form(dialogs);
    dialogs.setParentWidget(&form);
    form.show();
    // Closing the window, by Exit or by its close box, ends the program.
    return QApplication::exec();
}
