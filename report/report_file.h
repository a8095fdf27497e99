#pragma once

#include "report_text.h"

#include <string>

struct ReportWriteResult {
    bool ok = false;
    std::string message; // a Chinese message naming the file and the cause when !ok
};

// Writes the report in GBK to path, atomically: on any failure an existing
// file is left exactly as it was and no partial file remains.
ReportWriteResult WriteReportFile(const std::string &path, const ReportInput &input,
                                  std::string_view decimalSeparator = ".");
