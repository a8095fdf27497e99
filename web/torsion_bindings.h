#pragma once

#include "design_request.h"
#include "drawing_input.h"
#include "search_setup.h"

#include <emscripten/val.h>

#include <optional>
#include <string>

// A torsion spring's judging and search for the page: what orsela-cli
// --torsion --format=json and search --torsion --format=json print.
emscripten::val JudgeTorsionPrinted(const DesignRequest &request);
// progress(pass, done, total) between the search's (d, D) pairs, unless
// undefined or null.
emscripten::val SearchTorsionPrinted(const SearchArguments &arguments, emscripten::val progress);

// The engineering report {ok, html} and the drawing {ok, data} as
// --html-report and --drawing write them for a torsion spring; else
// {ok: false, message}.
emscripten::val TorsionReportOf(const DesignRequest &request, const DrawingDetails &details,
                                const std::string &date);
emscripten::val TorsionDrawingOf(const DesignRequest &request, bool dxf,
                                 const DrawingDetails &details, const std::string &date);

// The report's torque–angle characteristic (SVG), or nothing and why.
std::optional<std::string> TorqueAngleChartOf(const DesignRequest &request, std::string &problem);
