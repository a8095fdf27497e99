#include "engineering_report.h"

#include "whole_file_save.h"

std::optional<std::string> WriteEngineeringReport(const std::string &path,
                                                  const EngineeringReportInput &input) {
    return SaveWholeFile(path, BuildEngineeringReport(input));
}
