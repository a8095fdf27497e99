#include "report_date.h"

#include <ctime>

// std::localtime shares one result between calls; the date is taken once,
// on the main thread, before any worker starts.
std::string TodaysReportDate() {
    const std::time_t now = std::time(nullptr);
    const std::tm *local = std::localtime(&now);
    if (local == nullptr) {
        return ReportDateText(1970, 1, 1);
    }
    return ReportDateText(local->tm_year + 1900, local->tm_mon + 1, local->tm_mday);
}
