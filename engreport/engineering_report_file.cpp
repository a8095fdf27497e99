#include "engineering_report.h"
#include "torsion_report.h"

#include "whole_file_save.h"

std::optional<std::string> WriteEngineeringReport(const std::string &path,
                                                  const EngineeringReportInput &input) {
    return SaveWholeFile(path, BuildEngineeringReport(input));
}

std::optional<std::string> WriteTorsionReport(const std::string &path,
                                              const TorsionReportInput &input) {
    return SaveWholeFile(path, BuildTorsionReport(input));
}
