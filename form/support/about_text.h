#pragma once

#include <QString>

// The About box: its title and its nine lines, joined by CR LF.
QString AboutTitle();
QString AboutText();
