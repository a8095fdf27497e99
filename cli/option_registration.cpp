#include "option_registration.h"

#include "design_file.h"
#include "display_width.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdint>

void AddRequestOptions(CLI::App &app, GivenRequestOptions &given) {
    for (const RequestOptionGroup *group : RequestOptionGroups()) {
        for (const RequestOption &option : *group) {
            const std::string flagName = "--" + option.name;
            if (option.isFlag()) {
                // --no-NAME (or --NAME=false) clears a switch a design file set.
                app.add_flag_function(flagName + ",!--no-" + option.name,
                                      [&option, &given](std::int64_t count) {
                                          given.values.emplace_back(&option, count > 0 ? "1" : "");
                                      });
                continue;
            }
            app.add_option_function<std::string>(flagName,
                                                 [&option, &given](const std::string &text) {
                                                     given.values.emplace_back(&option, text);
                                                 })
                ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
        }
    }
    app.add_option_function<std::string>(
           "--design", [&given](const std::string &path) { given.designFile = path; })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
}

std::optional<std::string> ApplyRequestOptions(const GivenRequestOptions &given,
                                               DesignRequest &request, bool &fileProblem) {
    fileProblem = false;
    if (given.designFile) {
        // The file and the options are checked together: an option may mend
        // a key the file got wrong.
        DesignFileRead read = ReadDesignFile(*given.designFile, request, given.values);
        if (!read.request) {
            fileProblem = !read.optionRefused;
            return read.error;
        }
        request = std::move(*read.request);
        return std::nullopt;
    }
    for (const auto &[option, text] : given.values) {
        if (auto refused = option->store(request, text)) {
            return "--" + option->name + ": " + *refused;
        }
    }
    return std::nullopt;
}

// The help text in one column: an option too long for its own column puts
// its help on the next line.
std::string UsageLine(const std::string &left, const std::string &help) {
    constexpr std::size_t kHelpColumn = 35;
    if (DisplayWidth(left) >= kHelpColumn) {
        return left + "\n" + std::string(kHelpColumn, ' ') + help + "\n";
    }
    return PadRight(left, kHelpColumn) + help + "\n";
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
    usage += UsageLine("  --design=FILE", "设计文件 (orsela-design/1): 其余选项覆盖文件中的值");
    usage += UsageLine("  --no-开关", "关闭一个开关 (如 --no-check), 覆盖设计文件中的值");
    return usage;
}
