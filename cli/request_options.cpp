#include "request_options.h"

#include "check_options.h"
#include "design_options.h"
#include "material_options.h"

#include <CLI/CLI.hpp>

#include <algorithm>

const std::vector<const RequestOptionGroup *> &RequestOptionGroups() {
    static const std::vector<const RequestOptionGroup *> groups = {
        &DesignOptionGroup(), &MaterialOptionGroup(), &CheckOptionGroup()};
    return groups;
}

const RequestOption *FindRequestOption(std::string_view name) {
    for (const RequestOptionGroup *group : RequestOptionGroups()) {
        const auto it = std::find_if(group->begin(), group->end(),
                                     [&](const RequestOption &o) { return o.name == name; });
        if (it != group->end()) {
            return &*it;
        }
    }
    return nullptr;
}

void AddRequestOptions(CLI::App &app, DesignRequest &request) {
    for (const RequestOptionGroup *group : RequestOptionGroups()) {
        for (const RequestOption &option : *group) {
            const std::string flagName = "--" + option.name;
            if (option.isFlag()) {
                app.add_flag_callback(flagName,
                                      [&option, &request] { option.store(request, "1"); });
                continue;
            }
            app.add_option_function<std::string>(
                   flagName,
                   [&option, &request, flagName](const std::string &text) {
                       if (auto refused = option.store(request, text)) {
                           throw UsageError{flagName + ": " + *refused};
                       }
                   })
                ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
        }
    }
}

std::string UsageLine(const std::string &left, const std::string &help) {
    std::string line = left;
    line.resize(std::max<std::size_t>(line.size() + 1, 35), ' ');
    return line + help + "\n";
}

std::string RequestOptionsUsage() {
    std::string usage;
    for (const RequestOptionGroup *group : RequestOptionGroups()) {
        for (const RequestOption &option : *group) {
            const std::string left =
                "  --" + option.name + (option.isFlag() ? "" : "=" + option.valueName);
            usage += UsageLine(left, option.help);
        }
    }
    return usage;
}
