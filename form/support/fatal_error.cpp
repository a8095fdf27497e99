#include "fatal_error.h"

#include <cstdio>
#include <cstdlib>
#include <new>

QString FatalErrorMessage(const std::exception &error) {
    if (dynamic_cast<const std::bad_alloc *>(&error) != nullptr) {
        return QStringLiteral("内存不足");
    }
    return QStringLiteral("运行时错误: %1").arg(QString::fromLocal8Bit(error.what()));
}

void ShowFatalError(UserDialogs &dialogs, const QString &message) {
    dialogs.showCritical(message);
    // std::exit flushes and closes every open stream; the report is written
    // through a save file that is either complete or absent.
    std::fflush(nullptr);
    std::exit(EXIT_FAILURE);
}
