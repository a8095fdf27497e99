#include "report_date.h"

#include <QDate>

std::string TodaysReportDate() {
    const QDate today = QDate::currentDate();
    return ReportDateText(today.year(), today.month(), today.day());
}
