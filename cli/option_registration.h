#pragma once

#include "design_request.h"
#include "request_options.h"

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace CLI {
class App;
}

// What the options of a design said on the command line, kept until it has
// been read whole: a design file, when given, is the base that every other
// option overrides, wherever it stands on the line.
struct GivenRequestOptions {
    std::optional<std::string> designFile;                             // --design
    std::vector<std::pair<const RequestOption *, std::string>> values; // in the order stored
};

// Registers every option group of a design and --design on a command (or
// subcommand), keeping what they say in given.
void AddRequestOptions(CLI::App &app, GivenRequestOptions &given);

// The request the options ask for. The design file's problem, or an
// option's refusal as "--name: ...", is returned; with `fileProblem` set
// when the design file is the cause.
std::optional<std::string> ApplyRequestOptions(const GivenRequestOptions &given,
                                               DesignRequest &request, bool &fileProblem);

// The help lines of every group.
std::string RequestOptionsUsage();

// "  --name=VALUE" padded to the column where the help starts.
std::string UsageLine(const std::string &left, const std::string &help);

// A command line error in Chinese; thrown from option callbacks and caught
// where the command line is read.
struct UsageError {
    std::string message;
};
