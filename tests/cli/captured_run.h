#pragma once
// One orsela-cli run inside the test: its exit status and what it printed.
#include "cli_run.h"

#include <sstream>
#include <string>
#include <vector>

struct CliRun {
    int status = -1;
    std::string out;
    std::string err;
};

inline CliRun RunCaptured(const std::vector<std::string> &args, const std::string &input = "") {
    std::istringstream in(input);
    std::ostringstream out;
    std::ostringstream err;
    CliRun run;
    run.status = RunCli(args, in, out, err);
    run.out = out.str();
    run.err = err.str();
    return run;
}

// A drawn number as a cell or an option gives it: four significant digits.
inline std::string FourDigits(double value) {
    std::ostringstream text;
    text.precision(4);
    text << value;
    return text.str();
}
