#include "shell_command_line.h"

namespace {

std::string ShellQuoted(const std::string &arg) {
    const bool plain = arg.find_first_not_of("ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz"
                                             "0123456789_./=,:+-") == std::string::npos;
    if (plain && !arg.empty()) {
        return arg;
    }
    std::string quoted = "'";
    for (char c : arg) {
        quoted += c == '\'' ? std::string("'\\''") : std::string(1, c);
    }
    return quoted + "'";
}

} // namespace

std::string CommandLineOf(const std::vector<std::string> &arguments) {
    std::string line = "orsela-cli";
    for (const std::string &arg : arguments) {
        line += ' ' + ShellQuoted(arg);
    }
    return line;
}
