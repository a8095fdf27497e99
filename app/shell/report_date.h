#pragma once

#include <QDate>
#include <QString>

// The date a report carries: "yyyy年mm月dd日", month and day with two digits
// (7 March 2005 -> "2005年03月07日"). Taken once, when the program starts.
QString FormatReportDate(const QDate &date);
