#pragma once

#include "user_dialogs.h"

#include <QString>

#include <exception>

// The message for an error nothing else handles ("内存不足" for an
// exhausted memory, otherwise the error's own text).
QString FatalErrorMessage(const std::exception &error);

// Shows the error in the critical box, then closes every open file and ends
// the program. Never returns.
[[noreturn]] void ShowFatalError(UserDialogs &dialogs, const QString &message);
