#include "cli_options.h"

#include <algorithm>

const std::vector<NumericOption> &NumericOptions() {
    static const std::vector<NumericOption> options = {
        {"shear-modulus", "ShearModulus", "79000"},
        {"allowable-shear-stress", "AllowableShearStress", "660"},
        {"active-coils", "ActiveCoils", "5"},
        {"total-coils", "TotalCoils", "6.5"},
        {"mean-diameter", "MeanDiameter", "28"},
        {"wire-diameter", "WireDiameter", "4"},
        {"working-height1", "WorkingHeight1", "40"},
        {"working-height2", "WorkingHeight2", "36"},
        {"working-height3", "WorkingHeight3", "28"},
        {"working-load1", "WorkingLoad1", "0"},
        {"working-load2", "WorkingLoad2", "0"},
        {"working-load3", "WorkingLoad3", "0"},
        {"pitch", "Pitch", "4"},
        {"initial-tension", "InitialTension", "0"},
        {"free-height", "FreeHeight", "44"},
    };
    return options;
}

namespace {

// Options that take a value, beside the numeric ones.
bool TakesValue(const std::string &name) {
    if (name == "material" || name == "format" || name == "report") {
        return true;
    }
    return std::any_of(NumericOptions().begin(), NumericOptions().end(),
                       [&](const NumericOption &o) { return name == o.name; });
}

} // namespace

std::optional<CliOptions> ParseCliOptions(const std::vector<std::string> &args,
                                          std::string &error) {
    CliOptions options;
    for (const auto &option : NumericOptions()) {
        options.numericTexts.emplace_back(option.defaultText);
    }
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (!arg.starts_with("--")) {
            error = "无法识别的参数: " + arg;
            return std::nullopt;
        }
        std::string name = arg.substr(2);
        std::optional<std::string> value;
        if (const auto eq = name.find('='); eq != std::string::npos) {
            value = name.substr(eq + 1);
            name.resize(eq);
        }
        if (name == "help" || name == "extension" || name == "known-loads") {
            if (value) {
                error = "选项 --" + name + " 不带数值";
                return std::nullopt;
            }
            options.help = options.help || name == "help";
            options.extension = options.extension || name == "extension";
            options.knownLoads = options.knownLoads || name == "known-loads";
            continue;
        }
        if (!TakesValue(name)) {
            error = "未知选项: --" + name;
            return std::nullopt;
        }
        if (!value) {
            if (i + 1 >= args.size()) {
                error = "选项 --" + name + " 缺少数值";
                return std::nullopt;
            }
            value = args[++i];
        }
        if (name == "material") {
            // One line of the report holds the material: no line breaks or tabs.
            if (value->find_first_of("\r\n\t") != std::string::npos) {
                error = "--material: 弹簧材料不能包含换行符或制表符";
                return std::nullopt;
            }
            options.material = *value;
        } else if (name == "format") {
            if (*value == "text") {
                options.format = OutputFormat::Text;
            } else if (*value == "tsv") {
                options.format = OutputFormat::Tsv;
            } else {
                error = "--format 只能是 text 或 tsv: " + *value;
                return std::nullopt;
            }
        } else if (name == "report") {
            options.reportPath = *value;
        } else {
            const auto &all = NumericOptions();
            const auto it = std::find_if(all.begin(), all.end(),
                                         [&](const NumericOption &o) { return name == o.name; });
            options.numericTexts[static_cast<std::size_t>(it - all.begin())] = *value;
            if (name == "initial-tension") {
                options.initialTensionGiven = true;
            }
        }
    }
    if (options.initialTensionGiven && !options.extension && !options.help) {
        error = "压缩弹簧没有初拉力: --initial-tension 只用于拉伸弹簧 (--extension)";
        return std::nullopt;
    }
    return options;
}

std::string CliUsage() {
    std::string usage = "用法: orsela-cli [选项]\n"
                        "圆柱螺旋弹簧设计校核 (压缩弹簧两端并紧磨平, 拉伸弹簧圆钩环)。\n"
                        "\n"
                        "  --material=TEXT                  弹簧材料 (70-C)\n";
    for (const auto &option : NumericOptions()) {
        std::string line = "  --" + std::string(option.name) + "=NUMBER";
        line.resize(std::max<std::size_t>(line.size() + 1, 35), ' ');
        usage += line + "(" + option.defaultText + ")\n";
    }
    usage += "  --extension                      拉伸弹簧 (默认: 压缩弹簧)\n"
             "  --known-loads                    已知工作载荷 (默认: 已知工作高度)\n"
             "  --format=text|tsv                输出格式 (text)\n"
             "  --report=FILE                    计算完成后写入计算书 (GBK)\n"
             "  --help                           显示本说明\n"
             "\n"
             "数值以 \".\" 为小数点。退出状态: 0 完成, 1 设计警告中止, 2 用法或输入错误,\n"
             "3 计算错误 (除数为零, 溢出), 4 计算书写入失败。\n";
    return usage;
}
