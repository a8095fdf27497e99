#pragma once

#include "design_request.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
}

// One option that shapes a design. The same entry serves the command line
// (as "--name") and a design table (as the column "name"), so both store
// the same text the same way.
struct RequestOption {
    std::string name;      // without the leading "--"
    std::string valueName; // "NUMBER", "TEXT", ...; empty for a flag
    std::string help;      // one line of Chinese, with the default in parentheses
    // Stores the text ("1" sets a flag, "" clears it). Returns a Chinese
    // message when the text is refused outright; numbers are only checked
    // when the design is judged.
    std::function<std::optional<std::string>(DesignRequest &, std::string_view)> store;

    bool isFlag() const { return valueName.empty(); }
};
using RequestOptionGroup = std::vector<RequestOption>;

// Every option group of a design, in the order of the help text. A group
// lives in its own file; its options become both options and table columns.
const std::vector<const RequestOptionGroup *> &RequestOptionGroups();

// Looks an option up by its name without "--"; nullptr when there is none.
const RequestOption *FindRequestOption(std::string_view name);

// Registers every group on a command (or subcommand), storing into request.
void AddRequestOptions(CLI::App &app, DesignRequest &request);

// The help lines of every group.
std::string RequestOptionsUsage();

// "  --name=VALUE" padded to the column where the help starts.
std::string UsageLine(const std::string &left, const std::string &help);

// A command line error in Chinese; thrown from option callbacks and caught
// where the command line is read.
struct UsageError {
    std::string message;
};
