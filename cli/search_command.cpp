#include "search_command.h"

#include "atomic_file_writer.h"
#include "cli_exit.h"
#include "design_file.h"
#include "option_registration.h"
#include "search_design_request.h"
#include "command_line.h"
#include "search_options.h"
#include "search_output.h"
#include "search_setup.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <iostream>
#include <memory>
#include <unistd.h>

namespace {

std::string SearchUsage() {
    std::string usage = "用法: orsela-cli search --load1=F1 --height1=H1 --load2=F2 --height2=H2 "
                        "--material=NAME [选项]\n"
                        "由工作载荷和工作高度穷举搜索设计 (d 取自直径系列, D 步长 0.1 mm, n 步长 "
                        "0.25), 按目标排序输出最好的设计。\n\n";
    usage += SearchOptionsUsage();
    usage += UsageLine("  --save-designs=FOLDER",
                       "把列出的每个设计存为设计文件 FOLDER/design-名次.json");
    usage += "\n退出状态: 0 有合格的设计, 1 没有合格的设计 (列出最接近的设计及原因), 2 "
             "用法或输入错误, 4 设计文件写入失败。\n";
    return usage;
}

// A progress line on stderr, only on a terminal and only once the search
// has run for a second.
class ProgressLine {
  public:
    explicit ProgressLine(std::ostream &err)
        : err_(err), onTerminal_(&err == &std::cerr && isatty(STDERR_FILENO) == 1),
          started_(std::chrono::steady_clock::now()) {}
    ~ProgressLine() {
        if (shown_) {
            err_ << "\r\033[K" << std::flush;
        }
    }
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    void Show(const SearchProgress &p) {
        if (!onTerminal_ || std::chrono::steady_clock::now() - started_ < std::chrono::seconds(1)) {
            return;
        }
        shown_ = true;
        const double share = p.total == 0 ? 1.0 : static_cast<double>(p.done) / p.total;
        char line[128];
        std::snprintf(line, sizeof line, "\r搜索中 (%s) %3.0f%%",
                      p.pass == 1 ? "合格的设计" : "最接近的设计", share * 100.0);
        err_ << line << std::flush;
    }

  private:
    std::ostream &err_;
    bool onTerminal_;
    std::chrono::steady_clock::time_point started_;
    bool shown_ = false;
};

// Each printed design as a design file in folder, named by its rank.
std::optional<std::string> SaveDesigns(const std::string &folder, const SearchOutcome &outcome,
                                       const SearchArguments &arguments,
                                       const SearchRequest &request) {
    std::error_code error;
    std::filesystem::create_directories(folder, error);
    if (error) {
        return "无法创建文件夹“" + folder + "”: " + error.message();
    }
    const auto &designs = outcome.best.empty() ? outcome.nearestMisses : outcome.best;
    const auto file = arguments.values.find("materials-file");
    const std::optional<std::string> materialsFile =
        file == arguments.values.end() ? std::nullopt : std::optional<std::string>(file->second);
    const std::size_t width = std::max<std::size_t>(2, std::to_string(designs.size()).size());
    for (std::size_t i = 0; i < designs.size(); ++i) {
        std::string rank = std::to_string(i + 1);
        rank.insert(0, width - rank.size(), '0');
        const std::string name = "design-" + rank + ".json";
        AtomicFileWriter writer;
        const std::string path = (std::filesystem::path(folder) / name).string();
        if (auto problem = writer.open(path)) {
            return problem;
        }
        writer.write(DesignFileText(SearchDesignRequest(designs[i], request, materialsFile)));
        if (auto problem = writer.commit()) {
            return problem;
        }
    }
    return std::nullopt;
}

int RunSearch(const SearchArguments &arguments, const std::optional<std::string> &saveDesigns,
              CliStreams &streams) {
    std::string error;
    const auto setup = BuildSearch(arguments, error);
    if (!setup) {
        streams.err << "orsela-cli: " << error << '\n' << "用法见 orsela-cli search --help\n";
        return kExitUsage;
    }
    for (const std::string &note : setup->notes) {
        streams.err << note << '\n';
    }
    SearchOptions options;
    options.checks = ChecksFor(*setup);
    SearchOutcome outcome;
    {
        ProgressLine progress(streams.err);
        options.progress = [&progress](const SearchProgress &p) { progress.Show(p); };
        outcome = SearchDesigns(setup->request, options);
    }
    WriteSearchOutcome(outcome, setup->request, setup->format, streams.out);
    if (setup->format == SearchFormat::Tsv) {
        streams.err << SearchSummary(outcome) << '\n';
    }
    if (saveDesigns) {
        if (auto problem = SaveDesigns(*saveDesigns, outcome, arguments, setup->request)) {
            streams.err << "orsela-cli: " << *problem << '\n';
            return kExitReportError;
        }
    }
    return outcome.best.empty() ? kExitStoppedByWarning : kExitCompleted;
}

} // namespace

Subcommand MakeSearchSubcommand(CLI::App &app) {
    CLI::App *sub = app.add_subcommand("search", "由要求搜索设计");
    ConfigureCommand(*sub);
    auto arguments = std::make_shared<SearchArguments>();
    AddSearchOptions(*sub, *arguments);
    auto saveDesigns = std::make_shared<std::optional<std::string>>();
    sub->add_option_function<std::string>(
           "--save-designs", [saveDesigns](const std::string &folder) { *saveDesigns = folder; })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    return {sub, SearchUsage(), [arguments, saveDesigns](CliStreams &streams) {
                return RunSearch(*arguments, *saveDesigns, streams);
            }};
}
