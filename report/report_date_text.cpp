#include "report_date_text.h"

#include <cstdio>

std::string ReportDateText(int year, int month, int day) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "%04d年%02d月%02d日", year, month, day);
    return buffer;
}
