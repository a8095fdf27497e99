#include "report_date.h"

#include <QDate>

#include <cstdio>

std::string ReportDateText(int year, int month, int day) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d年%02d月%02d日", year, month, day);
    return buffer;
}

std::string TodaysReportDate() {
    const QDate today = QDate::currentDate();
    return ReportDateText(today.year(), today.month(), today.day());
}
