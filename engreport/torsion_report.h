#pragma once

#include "report_sections.h"
#include "torsion_drawing_input.h"

#include <optional>
#include <string>
#include <vector>

// One value of the report's table, as the single design's text output shows it.
using TorsionReportValue = ReportValue;

// What the engineering report of a calculated torsion spring shows: the
// drawing's input (the spring, its checks, material and title block), the
// values as printed, where E, ρ and Rm came from, what the checks took.
struct TorsionReportInput {
    TorsionDrawingInput drawing;
    std::vector<TorsionReportValue> values;
    std::string programVersion;
    std::vector<std::string> notes; // one Chinese sentence each
    std::string checkConditions; // 载荷类型, 加载方向, Rm, 许用弯曲应力; empty unchecked
    std::string materialDataSource; // the material table's provenance, web addresses included
};

// The report as one self-contained UTF-8 HTML5 page, in Chinese, laid out for
// A4 portrait as the other kinds' report is: the values, the checks with
// their sources cited by number, the torque–angle characteristic, the sketch
// with the technical requirements, the references and the title block.
std::string BuildTorsionReport(const TorsionReportInput &input);

// Writes it to path, replacing an existing file only once the new one is
// complete; else the Chinese message naming the file and the cause.
std::optional<std::string> WriteTorsionReport(const std::string &path,
                                              const TorsionReportInput &input);
