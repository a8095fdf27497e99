#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace CLI {
class App;
}

// An argument as an error message may echo it: control characters escaped
// (\n, \t, \xHH, \u0085 ...), so are bytes that are not UTF-8 (\xHH) and
// the invisible characters (a byte order mark \uFEFF, U+FFFE, the direction
// overrides), so that a terminal shows what was typed and obeys none of it;
// longer ones cut after 60 bytes with "…".
std::string EscapedArgument(std::string_view argument);

// A message that may hold what a user typed (a grade, a column name, a
// key): every control character escaped as above, nothing cut.
std::string EscapedMessage(std::string_view message);

// Reads args into app (its options and subcommands already registered),
// after checking what the parser would otherwise take silently: every
// argument is UTF-8 (else refused, naming its option), an option
// that needs a value never takes the next option as its value, a switch
// takes none, an unknown option or a stray argument is refused. Returns a
// Chinese message on a usage error.
std::optional<std::string> ParseCommandLine(CLI::App &app, std::vector<std::string> args);

// The subcommand the arguments name (empty for the single design) and the
// last --format value given to it that a command knows (text, tsv, csv,
// json). Read from the arguments alone, so that a usage error can still be
// told in the format asked for.
struct AskedCommand {
    std::string subcommand;
    std::optional<std::string> format;
};
AskedCommand AskedCommandOf(const CLI::App &app, const std::vector<std::string> &args);

// Every command refuses what it does not know instead of printing CLI11's
// English help or errors.
void ConfigureCommand(CLI::App &app);
