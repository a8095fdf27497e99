#pragma once

// The page's stylesheet: A4 portrait, black on white, readable without colour.
extern const char *const kEngineeringReportCss;
