#include "program_icon.h"

// Outside any namespace, as the resource initialiser requires.
static void InitialiseIconResources() {
    Q_INIT_RESOURCE(orsela_icons);
}

QIcon ProgramIcon() {
    InitialiseIconResources();
    QIcon icon;
    for (const int size : {16, 32, 48}) {
        icon.addFile(QStringLiteral(":/icons/orsela-%1.png").arg(size), QSize(size, size));
    }
    return icon;
}
