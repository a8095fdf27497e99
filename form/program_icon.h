#pragma once

#include <QIcon>

// The program's icon, a helical spring, at 16, 32 and 48 pixels.
QIcon ProgramIcon();
