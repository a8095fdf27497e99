#pragma once

#include "engineering_report.h"

// The window's sample design and the extension example with known loads,
// calculated, with a set of checks and a fatigue diagram built by hand.
EngineeringReportInput SampleCompressionReport();
EngineeringReportInput ExtensionExampleReport();
