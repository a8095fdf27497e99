#include "command_line.h"

#include "option_registration.h"
#include "user_text.h"
#include "utf8_text.h"

#include <CLI/CLI.hpp>

#include <algorithm>
#include <cstdio>

namespace {

constexpr std::size_t kLongestEcho = 60;

std::string EscapedText(std::string_view argument, std::size_t longest);

std::string Hex(const char *format, unsigned value) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

const CLI::App *FindSubcommand(const CLI::App &app, const std::string &name) {
    for (const CLI::App *sub : app.get_subcommands({})) {
        if (sub->get_name() == name) {
            return sub;
        }
    }
    return nullptr;
}

bool TakesValue(const CLI::Option &option) {
    return option.get_items_expected_max() > 0;
}

// Walks the arguments as the parser will, command by command. Rewrites
// "--name=" as "--name" "" so that an empty value reaches the field check.
std::optional<std::string> CheckArguments(const CLI::App &app, std::vector<std::string> &args) {
    const CLI::App *command = &app;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string arg = args[i];
        if (arg.size() > 2 && arg.starts_with("--")) {
            const std::size_t eq = arg.find('=');
            const std::string name = arg.substr(0, eq);
            const CLI::Option *option = command->get_option_no_throw(name);
            if (option == nullptr) {
                return "未知选项: " + EscapedArgument(arg);
            }
            if (eq != std::string::npos) {
                if (auto problem = NonUtf8Problem(std::string_view(arg).substr(eq + 1))) {
                    return name + " 的值" + *problem + ": " + EscapedArgument(arg);
                }
            } else if (TakesValue(*option) && i + 1 < args.size()) {
                if (auto problem = NonUtf8Problem(args[i + 1])) {
                    return name + " 的值" + *problem + ": " + EscapedArgument(args[i + 1]);
                }
            }
            if (!TakesValue(*option)) {
                if (eq != std::string::npos) {
                    return "选项 " + name + " 不带数值";
                }
                continue;
            }
            if (eq != std::string::npos) {
                if (eq + 1 == arg.size()) {
                    args[i] = name;
                    args.insert(args.begin() + static_cast<std::ptrdiff_t>(i) + 1, "");
                    ++i;
                }
                continue;
            }
            if (i + 1 >= args.size()) {
                return "选项 " + name + " 缺少数值";
            }
            if (args[i + 1].starts_with("--")) {
                return "选项 " + name + " 缺少数值 (" + EscapedArgument(args[i + 1]) +
                       " 是另一个选项; 以 -- 开头的数值请写成 " + name + "=...)";
            }
            ++i;
            continue;
        }
        if (auto problem = NonUtf8Problem(arg)) {
            return "参数" + *problem + ": " + EscapedArgument(arg);
        }
        if (command == &app) {
            if (const CLI::App *sub = FindSubcommand(app, arg)) {
                command = sub;
            }
        }
    }
    return std::nullopt;
}

} // namespace

std::string EscapedArgument(std::string_view argument) {
    return EscapedText(argument, kLongestEcho);
}

std::string EscapedMessage(std::string_view message) {
    return EscapedText(message, std::string_view::npos);
}

namespace {

// Characters that show nothing yet change what a reader sees: a byte order
// mark inside a text, the non-characters U+FFFE and U+FFFF, zero-width spaces
// and joiners, the direction marks and overrides that reorder the text.
bool IsInvisible(char32_t code) {
    return code == 0xFEFF || code == 0xFFFE || code == 0xFFFF ||
           (code >= 0x200B && code <= 0x200F) || (code >= 0x2028 && code <= 0x202E) ||
           (code >= 0x2060 && code <= 0x2069);
}

std::string EscapedText(std::string_view argument, std::size_t longest) {
    std::string shown;
    std::size_t i = 0;
    while (i < argument.size()) {
        char32_t code = 0;
        std::size_t length = Utf8SequenceAt(argument, i, code);
        std::string piece;
        if (length == 0) {
            // Not UTF-8: the byte as it is, never a broken character on the terminal.
            piece = Hex("\\x%02X", static_cast<unsigned char>(argument[i]));
            length = 1;
        } else if (code == '\n') {
            piece = "\\n";
        } else if (code == '\t') {
            piece = "\\t";
        } else if (code == '\r') {
            piece = "\\r";
        } else if (code < 0x20 || code == 0x7F) {
            piece = Hex("\\x%02X", static_cast<unsigned>(code));
        } else if ((code >= 0x80 && code <= 0x9F) || IsInvisible(code)) {
            // The C1 controls (U+0080 to U+009F) steer terminals as well.
            piece = Hex("\\u%04X", static_cast<unsigned>(code));
        } else {
            piece = argument.substr(i, length);
        }
        if (longest != std::string_view::npos && shown.size() + piece.size() > longest) {
            return shown + "…";
        }
        shown += piece;
        i += length;
    }
    return shown;
}

} // namespace

AskedCommand AskedCommandOf(const CLI::App &app, const std::vector<std::string> &args) {
    AskedCommand asked;
    const CLI::App *command = &app;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string &arg = args[i];
        if (arg.size() > 2 && arg.starts_with("--")) {
            const std::size_t eq = arg.find('=');
            const std::string name = arg.substr(0, eq);
            const CLI::Option *option = command->get_option_no_throw(name);
            std::optional<std::string> value;
            if (eq != std::string::npos) {
                value = arg.substr(eq + 1);
            } else if (option != nullptr && TakesValue(*option) && i + 1 < args.size()) {
                value = args[++i];
            }
            if (name == "--format" && value &&
                (*value == "text" || *value == "tsv" || *value == "csv" || *value == "json")) {
                asked.format = value;
            }
            continue;
        }
        if (command == &app) {
            if (const CLI::App *sub = FindSubcommand(app, arg)) {
                command = sub;
                asked = AskedCommand{sub->get_name(), std::nullopt};
            }
        }
    }
    return asked;
}

void ConfigureCommand(CLI::App &app) {
    app.set_help_flag();
    app.allow_extras();
}

std::optional<std::string> ParseCommandLine(CLI::App &app, std::vector<std::string> args) {
    if (auto problem = CheckArguments(app, args)) {
        return problem;
    }
    std::reverse(args.begin(), args.end());
    try {
        app.parse(args);
    } catch (const UsageError &e) {
        return e.message;
    } catch (const CLI::ParseError &e) {
        return "命令行有误 (" + EscapedArgument(e.what()) + ")";
    }
    const std::vector<std::string> stray = app.remaining(true);
    if (!stray.empty()) {
        return "无法识别的参数: " + EscapedArgument(stray.front());
    }
    return std::nullopt;
}
