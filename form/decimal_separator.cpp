#include "decimal_separator.h"

#include <QLocale>

std::string SystemDecimalSeparator() {
    return QLocale::system().decimalPoint().toStdString();
}
