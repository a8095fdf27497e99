#pragma once

#include "design_fixtures.h"
#include "report_text.h"

#include <string>
#include <string_view>
#include <vector>

// The designed sample (SampleDesign()) after a completed calculation
// (compression spring, working heights given), as the record holds it.
SpringDesign CalculatedSampleDesign();
ReportInput SampleReportInput(std::string reportDate = "2005年06月01日");

// The sample report as a person reads it, with "\n" line ends and the date
// of 1 June 2005.
extern const char *const kSampleReportListing;

std::string WithCrLf(std::string_view text);
std::vector<std::string> LinesOf(std::string_view crLfText); // without their CR LF

// GBK through glibc's iconv: a second, independent converter for the
// expected bytes.
std::string GbkByIconv(std::string_view utf8);

std::string ReadWholeFile(const std::string &path);
void WriteWholeFile(const std::string &path, std::string_view bytes);
