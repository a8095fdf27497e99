#include "search_command.h"

#include "atomic_file_writer.h"
#include "cli_exit.h"
#include "command_line.h"
#include "designs_folder.h"
#include "option_registration.h"
#include "progress_line.h"
#include "search_options.h"
#include "search_output.h"
#include "search_setup.h"
#include "torsion_search_output.h"
#include "usage_refusal.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <memory>

namespace {

std::string SearchUsage() {
    std::string usage = "用法: orsela-cli search --load1=F1 --height1=H1 --load2=F2 --height2=H2 "
                        "--material=NAME [选项]\n"
                        "由工作载荷和工作高度穷举搜索设计 (d 取自直径系列, D 步长 0.1 mm, n 步长 "
                        "0.25), 按目标排序输出最好的设计。\n"
                        "扭转弹簧: orsela-cli search --torsion --working-torque2=T2 "
                        "--working-angle2=φ2 --material=NAME [--working-torque1=T1 "
                        "--working-angle1=φ1] [选项]\n"
                        "由要求的扭转刚度求每对 (d, D) 的有效圈数 (步长 0.25), 每个设计按单个设计"
                        "判定并校核 (旋绕比默认 4～20)。\n\n";
    usage += SearchOptionsUsage();
    usage += UsageLine("  --save-designs=FOLDER",
                       "把列出的每个设计存为设计文件 FOLDER/design-001.json ..., 目录存入 "
                       "FOLDER/designs.csv; 文件夹须为空或不存在");
    usage += UsageLine("  --replace", "先删除 FOLDER 中以前存入的 design-*.json 和 designs.csv");
    usage += "\n退出状态: 0 有合格的设计, 1 没有合格的设计 (列出最接近的设计及原因), 2 "
             "用法或输入错误, 4 标准输出或设计文件写入失败。\n";
    return usage;
}

std::string Clock(std::chrono::steady_clock::duration span) {
    const auto seconds = std::chrono::duration_cast<std::chrono::seconds>(span).count();
    char text[32];
    if (seconds >= 3600) {
        std::snprintf(
            text, sizeof text, "%lld:%02lld:%02lld", static_cast<long long>(seconds / 3600),
            static_cast<long long>(seconds / 60 % 60), static_cast<long long>(seconds % 60));
    } else {
        std::snprintf(text, sizeof text, "%lld:%02lld", static_cast<long long>(seconds / 60),
                      static_cast<long long>(seconds % 60));
    }
    return text;
}

// The share to a tenth of a percent, the time taken and the time the pass
// still needs: near the size limit a percent takes minutes, and the line
// must still be seen to move.
class SearchProgressText {
  public:
    std::string operator()(const SearchProgress &p) {
        const auto now = std::chrono::steady_clock::now();
        if (p.pass != pass_) {
            pass_ = p.pass;
            passStart_ = now;
        }
        const double share =
            p.total == 0 ? 1.0 : static_cast<double>(p.done) / static_cast<double>(p.total);
        char head[128];
        std::snprintf(head, sizeof head, "搜索中 (%s) %.1f%%, 已用 ",
                      p.pass == 1 ? "合格的设计" : "最接近的设计", share * 100.0);
        std::string text = head + Clock(now - start_);
        if (share > 0.0 && share < 1.0) {
            const auto left = std::chrono::duration_cast<std::chrono::steady_clock::duration>(
                (now - passStart_) * ((1.0 - share) / share));
            text += ", 本轮约剩 " + Clock(left);
        }
        return text;
    }

  private:
    std::chrono::steady_clock::time_point start_ = std::chrono::steady_clock::now();
    std::chrono::steady_clock::time_point passStart_ = start_;
    int pass_ = 1;
};

bool JsonAsked(const SearchArguments &arguments) {
    const auto format = arguments.values.find("format");
    return format != arguments.values.end() && format->second == "json";
}

std::optional<std::string> MaterialsFileOf(const SearchArguments &arguments) {
    const auto file = arguments.values.find("materials-file");
    return file == arguments.values.end() ? std::nullopt : std::optional<std::string>(file->second);
}

// The search's progress on the progress line, as often as the line takes it.
auto ShownOn(ProgressLine &progress, SearchProgressText &text) {
    return [&progress, &text](const SearchProgress &p) {
        if (progress.due()) {
            progress.show(text(p));
        }
    };
}

// search --torsion: every candidate judged by the single design's call.
int RunTorsionSearch(const SearchArguments &arguments,
                     const std::optional<DesignsFolder> &saveDesigns, CliStreams &streams) {
    std::string error;
    const auto request = BuildTorsionSearch(arguments, error);
    if (!request) {
        return RefuseUsage(streams, error, "search", JsonAsked(arguments));
    }
    if (saveDesigns) {
        if (auto problem = saveDesigns->check()) {
            return RefuseUsage(streams, "--save-designs: " + *problem, "search",
                               request->format == SearchFormat::Json);
        }
    }
    for (const std::string &note : request->notes) {
        streams.err << note << '\n';
    }
    TorsionSearchOutcome outcome;
    {
        ProgressLine progress(streams.err);
        SearchProgressText text;
        TorsionSearchOptions options;
        options.progress = ShownOn(progress, text);
        outcome = SearchTorsionSprings(*request, options);
    }
    WriteTorsionSearchOutcome(outcome, *request, streams.out);
    if (request->format == SearchFormat::Tsv) {
        streams.err << TorsionSearchSummary(outcome) << '\n';
    }
    if (saveDesigns) {
        if (auto problem = saveDesigns->save(outcome)) {
            streams.err << "orsela-cli: " << *problem << '\n';
            return kExitReportError;
        }
    }
    return outcome.best.empty() ? kExitStoppedByWarning : kExitCompleted;
}

int RunSearch(const SearchArguments &arguments, const std::optional<DesignsFolder> &saveDesigns,
              CliStreams &streams) {
    if (arguments.flags.count("torsion") > 0) {
        return RunTorsionSearch(arguments, saveDesigns, streams);
    }
    std::string error;
    const auto setup = BuildSearch(arguments, error);
    if (!setup) {
        return RefuseUsage(streams, error, "search", JsonAsked(arguments));
    }
    if (saveDesigns) {
        if (auto problem = saveDesigns->check()) {
            return RefuseUsage(streams, "--save-designs: " + *problem, "search",
                               setup->format == SearchFormat::Json);
        }
    }
    for (const std::string &note : setup->notes) {
        streams.err << note << '\n';
    }
    SearchOptions options;
    options.checks = ChecksFor(*setup);
    SearchOutcome outcome;
    {
        ProgressLine progress(streams.err);
        SearchProgressText text;
        options.progress = ShownOn(progress, text);
        outcome = SearchDesigns(setup->request, options);
    }
    WriteSearchOutcome(outcome, setup->request, setup->format, streams.out);
    if (setup->format == SearchFormat::Tsv) {
        streams.err << SearchSummary(outcome) << '\n';
    }
    if (saveDesigns) {
        if (auto problem = saveDesigns->save(outcome, setup->request, MaterialsFileOf(arguments))) {
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
    auto replace = std::make_shared<bool>(false);
    sub->add_option_function<std::string>(
           "--save-designs", [saveDesigns](const std::string &folder) { *saveDesigns = folder; })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    sub->add_flag("--replace", *replace);
    return {sub, SearchUsage(), [arguments, saveDesigns, replace](CliStreams &streams) {
                std::optional<DesignsFolder> folder;
                if (*saveDesigns) {
                    folder.emplace(**saveDesigns, *replace);
                }
                return RunSearch(*arguments, folder, streams);
            }};
}
