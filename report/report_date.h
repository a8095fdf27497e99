#pragma once

#include <string>

// The report's date, "yyyy年mm月dd日": 7 March 2005 gives "2005年03月07日".
std::string ReportDateText(int year, int month, int day);

// Today's local date in that form. The window takes it once at start-up, so
// a report saved after midnight still carries the day the program started.
std::string TodaysReportDate();
