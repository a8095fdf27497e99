#include "materials_command.h"

#include "cli_exit.h"
#include "command_line.h"
#include "grade_lookup.h"
#include "materials_output.h"
#include "option_registration.h"
#include "shared_materials.h"
#include "usage_refusal.h"

#include <CLI/CLI.hpp>

#include <charconv>
#include <cmath>
#include <memory>
#include <ostream>

namespace {

struct MaterialsArguments {
    std::optional<std::string> grade;
    std::optional<std::string> wireDiameter;
    std::optional<std::string> materialsFile;
    MaterialsFormat format = MaterialsFormat::Text;
    bool all = false;
};

std::string MaterialsUsage() {
    std::string usage = "用法: orsela-cli materials [牌号 [--wire-diameter=D]] [选项]\n"
                        "列出材料表中的牌号; 给出牌号时显示该牌号的数据, 给出材料直径时另显示\n"
                        "该直径的抗拉强度和许用切应力。牌号不分大小写, 忽略空格, 也可用别名。\n\n";
    usage += UsageLine("  --wire-diameter=D", "材料直径 mm");
    usage += UsageLine("  --format=text|tsv|json", "输出格式 (text)");
    usage += UsageLine("  --materials-file=FILE", "另外读入的材料文件 (补充或替换牌号)");
    usage += UsageLine("  --all", "也列出缺少 G、E 或 ρ 的牌号 (须自行给出)");
    usage += UsageLine("  --help", "显示本说明");
    usage += "\n退出状态: 0 完成, 2 用法错误或未知牌号, 4 标准输出写入失败。\n";
    return usage;
}

int Refuse(CliStreams &streams, const MaterialsArguments &arguments, const std::string &message) {
    return RefuseUsage(streams, message, "materials", arguments.format == MaterialsFormat::Json);
}

std::optional<double> PositiveNumber(const std::string &text) {
    double value = 0.0;
    const char *end = text.data() + text.size();
    const auto [ptr, ec] = std::from_chars(text.data(), end, value);
    if (ec != std::errc() || ptr != end || !std::isfinite(value) || !(value > 0.0)) {
        return std::nullopt;
    }
    return value;
}

int RunMaterials(const MaterialsArguments &arguments, CliStreams &streams) {
    std::optional<double> wireDiameter;
    if (arguments.wireDiameter) {
        wireDiameter = PositiveNumber(*arguments.wireDiameter);
        if (!wireDiameter) {
            return Refuse(streams, arguments,
                          "--wire-diameter: 请输入一个大于 0 的材料直径: " +
                              EscapedArgument(*arguments.wireDiameter));
        }
        if (!arguments.grade) {
            return Refuse(streams, arguments,
                          "--wire-diameter 需要一个牌号: orsela-cli materials 牌号 "
                          "--wire-diameter=D");
        }
    }
    const LoadedMaterials &loaded = SharedMaterials(arguments.materialsFile);
    for (const std::string &problem : loaded.problems) {
        streams.err << "orsela-cli: " << EscapedMessage(problem) << '\n';
    }
    if (!arguments.grade) {
        PrintMaterialsList(loaded.catalog, arguments.format, arguments.all, streams.out);
        return kExitCompleted;
    }
    const GradeLookup lookup = LookUpGrade(loaded.catalog, *arguments.grade);
    if (lookup.entry == nullptr) {
        return Refuse(streams, arguments, lookup.error);
    }
    PrintMaterial(loaded.catalog, *lookup.entry, wireDiameter, arguments.format, streams.out);
    return kExitCompleted;
}

} // namespace

Subcommand MakeMaterialsSubcommand(CLI::App &app) {
    CLI::App *sub = app.add_subcommand("materials", "材料表");
    ConfigureCommand(*sub);
    auto arguments = std::make_shared<MaterialsArguments>();
    sub->add_option_function<std::string>(
        "grade", [arguments](const std::string &grade) { arguments->grade = grade; });
    sub->add_option_function<std::string>(
           "--wire-diameter", [arguments](const std::string &d) { arguments->wireDiameter = d; })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    sub->add_option_function<std::string>(
           "--materials-file",
           [arguments](const std::string &file) { arguments->materialsFile = file; })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    sub->add_flag_callback("--all", [arguments]() { arguments->all = true; });
    sub->add_option_function<std::string>(
           "--format",
           [arguments](const std::string &text) {
               if (text == "text") {
                   arguments->format = MaterialsFormat::Text;
               } else if (text == "tsv") {
                   arguments->format = MaterialsFormat::Tsv;
               } else if (text == "json") {
                   arguments->format = MaterialsFormat::Json;
               } else {
                   throw UsageError{"--format 只能是 text、tsv 或 json: " + EscapedArgument(text)};
               }
           })
        ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast);
    return {sub, MaterialsUsage(),
            [arguments](CliStreams &streams) { return RunMaterials(*arguments, streams); }};
}
