#pragma once

#include <string>

// The report's date, "yyyy年mm月dd日": 7 March 2005 gives "2005年03月07日".
std::string ReportDateText(int year, int month, int day);
