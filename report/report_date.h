#pragma once

#include "report_date_text.h"

#include <string>

// Today's local date in the report's form. The window takes it once at
// start-up, so a report saved after midnight still carries the day the
// program started.
std::string TodaysReportDate();
