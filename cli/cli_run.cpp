#include "cli_run.h"

#include "batch_command.h"
#include "command_line.h"
#include "design_request.h"
#include "materials_command.h"
#include "option_registration.h"
#include "search_command.h"
#include "single_design.h"
#include "standard_output.h"
#include "subcommand.h"
#include "usage_refusal.h"

#include <CLI/CLI.hpp>

#include <iostream>
#include <memory>

namespace {

std::string MainUsage(const std::vector<Subcommand> &subcommands) {
    std::string usage = "用法: orsela-cli [选项]\n";
    for (const Subcommand &sub : subcommands) {
        usage += "      orsela-cli " + sub.app->get_name() + " ...    " +
                 sub.app->get_description() + " (orsela-cli " + sub.app->get_name() + " --help)\n";
    }
    usage += "圆柱螺旋弹簧设计校核 (压缩弹簧两端并紧磨平, 拉伸弹簧圆钩环)。\n\n";
    usage += RequestOptionsUsage();
    usage += UsageLine("  --format=text|tsv|json", "输出格式 (text)");
    usage += UsageLine("  --report=FILE", "计算完成后写入计算书 (GBK)");
    usage += UsageLine("  --html-report=FILE",
                       "计算完成后写入工程计算书 (HTML, 按 A4 打印: 放得下时一页, 否则在节与行之间"
                       "分页; 含校核、图与参考资料)");
    usage += UsageLine("  --save-design=FILE", "把设计 (选项生效后) 存为设计文件, 无论结果如何");
    usage += UsageLine("  --drawing=FILE.dxf|FILE.svg", "计算完成后写入弹簧工作图 (DXF 或 SVG)");
    usage += UsageLine("  --title-block=键=值",
                       "图样与计算书的标题栏及要求 (可多次): 图号 零件名称 数量 单位 设计 校对 "
                       "审核 标准化 阶段标记 旋向=右|左 表面处理 强压=是|否 喷丸=是|否 "
                       "调整值=H0|载荷 更改区=是|否 钩环位置 钩环开口");
    usage += UsageLine("  --precision-grade=1|2|3", "GB/T 1239 精度等级 (2)");
    usage += UsageLine("  --dxf-version=2000|2007",
                       "DXF 文件版本 (2007: UTF-8; 2000: AutoCAD 2000 起可读, GBK 文字)");
    usage += UsageLine("  --help", "显示本说明");
    usage += "\n"
             "数值以 \".\" 为小数点。退出状态: 0 完成, 1 设计警告中止, 2 用法或输入错误,\n"
             "3 计算错误 (除数为零, 溢出), 4 计算书、图样、设计文件或标准输出写入失败,\n"
             "5 校核有不合格项 (--strict)。\n";
    return usage;
}

// An option of the single design written before a subcommand's name.
std::optional<std::string> OptionBeforeSubcommand(const CLI::App &app, const CLI::App &sub) {
    for (const CLI::Option *option : app.get_options()) {
        if (option->count() > 0) {
            return "选项 " + option->get_name() + " 只用于单个设计, 不能写在子命令 " +
                   sub.get_name() + " 之前";
        }
    }
    return std::nullopt;
}

// The commands that print one JSON document refuse in JSON as well; a
// design table's JSON lines are rows, which a usage error has none of.
bool RefusesInJson(const AskedCommand &asked) {
    return asked.format == "json" && asked.subcommand != "batch";
}

int RunCommand(const std::vector<std::string> &args, CliStreams &streams) {
    CLI::App app{"orsela-cli"};
    ConfigureCommand(app);
    GivenRequestOptions given;
    AddRequestOptions(app, given);
    SingleDesignOutput output;
    AddSingleDesignOutputOptions(app, output);
    bool help = false;
    app.add_flag("--help", help);

    std::vector<Subcommand> subcommands = {MakeMaterialsSubcommand(app), AddBatchCommand(app),
                                           MakeSearchSubcommand(app)};
    auto subcommandHelp = std::make_unique<bool[]>(subcommands.size() + 1);
    for (std::size_t i = 0; i < subcommands.size(); ++i) {
        subcommands[i].app->add_flag("--help", subcommandHelp[i]);
    }

    if (auto problem = ParseCommandLine(app, args)) {
        const AskedCommand asked = AskedCommandOf(app, args);
        return RefuseUsage(streams, *problem, asked.subcommand, RefusesInJson(asked));
    }
    for (std::size_t i = 0; i < subcommands.size(); ++i) {
        Subcommand &sub = subcommands[i];
        if (!sub.app->parsed()) {
            continue;
        }
        if (auto problem = OptionBeforeSubcommand(app, *sub.app)) {
            return RefuseUsage(streams, *problem, "", false);
        }
        if (subcommandHelp[i]) {
            streams.out << sub.usage;
            return kExitCompleted;
        }
        return sub.run(streams);
    }
    if (help) {
        streams.out << MainUsage(subcommands);
        return kExitCompleted;
    }
    DesignRequest request;
    bool fileProblem = false;
    if (auto problem = ApplyRequestOptions(given, request, fileProblem)) {
        return RefuseUsage(streams, *problem, "", RefusesInJson(AskedCommandOf(app, args)));
    }
    return RunSingleDesign(request, output, streams);
}

} // namespace

int RunCli(const std::vector<std::string> &args, std::istream &in, std::ostream &out,
           std::ostream &err) {
    CliStreams streams{in, out, err};
    const int status = RunCommand(args, streams);
    // Whatever the command did, its output lost is a failed run.
    if (!StandardOutputWritten(streams)) {
        return kExitReportError;
    }
    return status;
}

int RunCli(const std::vector<std::string> &args, std::ostream &out, std::ostream &err) {
    return RunCli(args, std::cin, out, err);
}
