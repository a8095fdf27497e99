#pragma once

#include "report_text.h"

#include <string>

struct ReportWriteResult {
    bool ok = false;
    std::string message; // a Chinese message naming the file and the cause when !ok
};

// Writes the report in GBK to path (UTF-8, as QString::toStdString() gives
// it), atomically: on any failure an existing file is left exactly as it was
// and no partial file remains. A character that GBK cannot represent writes
// nothing and is named in the message. The window's Save calls this with the
// path chosen in its dialog and shows message in its warning box;
// decimalSeparator is the locale's, as the result fields use it.
ReportWriteResult WriteReportFile(const std::string &path, const ReportInput &input,
                                  std::string_view decimalSeparator = ".");
