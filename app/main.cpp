#include "application_setup.h"
#include "font_configuration_warm_up.h"
#include "form_tan_huang.h"
#include "message_box_dialogs.h"
#include "program_icon.h"
#include "startup_probe.h"
#include "user_dialogs.h"

#include <QApplication>

int main(int argc, char **argv) {
    const FontConfigurationWarmUp fontConfiguration;
    QApplication application(argc, argv);
    StartupProbe::installIfRequested(application);
    SetUpApplication();
    QApplication::setWindowIcon(ProgramIcon());

    MessageBoxDialogs dialogs;
    FormTanHuang form(dialogs);
    dialogs.setParentWidget(&form);
    form.show();
    // Closing the window, by Exit or by its close box, ends the program.
    return QApplication::exec();
}
