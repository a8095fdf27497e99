#pragma once

#include "design_request.h"

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One option that shapes a design. The same entry serves the command line
// (as "--name"), a design table (as the column "name") and a design file (as
// the key "name"), so all of them store the same text the same way.
struct RequestOption {
    std::string name;      // without the leading "--"
    std::string valueName; // "NUMBER", "TEXT", ...; empty for a flag
    std::string help;      // one line of Chinese, with the default in parentheses
    // Stores the text ("1" sets a flag, "" clears it). Returns a Chinese
    // message when the text is refused outright; numbers are only checked
    // when the design is judged.
    std::function<std::optional<std::string>(DesignRequest &, std::string_view)> store;
    // The text that stores what the request holds ("1" or "" for a flag);
    // nothing for a value that was never given.
    std::function<std::optional<std::string>(const DesignRequest &)> text;

    bool isFlag() const { return valueName.empty(); }
};
using RequestOptionGroup = std::vector<RequestOption>;

// Every option group of a design, in the order of the help text. A group
// lives in its own file; its options become options, table columns and keys.
const std::vector<const RequestOptionGroup *> &RequestOptionGroups();

// Looks an option up by its name without "--"; nullptr when there is none.
const RequestOption *FindRequestOption(std::string_view name);
