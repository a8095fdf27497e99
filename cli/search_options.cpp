#include "search_options.h"

#include "option_registration.h"

#include <CLI/CLI.hpp>

void AddSearchOptions(CLI::App &app, SearchArguments &arguments) {
    for (const SearchOptionSpec &spec : SearchOptionSpecs()) {
        const std::string name = spec.name;
        if (*spec.valueName == '\0') {
            app.add_flag_callback("--" + name,
                                  [&arguments, name] { arguments.flags.insert(name); });
            continue;
        }
        app.add_option_function<std::string>(
               "--" + name,
               [&arguments, name](const std::string &text) { arguments.values[name] = text; })
            ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    }
}

std::string SearchOptionsUsage() {
    std::string usage;
    for (const SearchOptionSpec &spec : SearchOptionSpecs()) {
        std::string left = std::string("  --") + spec.name;
        if (*spec.valueName != '\0') {
            left += std::string("=") + spec.valueName;
        }
        usage += UsageLine(left, spec.help);
    }
    return usage;
}
