#pragma once

// Exit statuses of orsela-cli.
enum CliExit {
    kExitCompleted = 0,
    kExitStoppedByWarning = 1,
    kExitUsage = 2,
    kExitCalculationError = 3,
    kExitReportError = 4,
    kExitFailedCheck = 5, // --strict: a completed design with a failed check
};
