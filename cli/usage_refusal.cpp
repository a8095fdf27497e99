#include "usage_refusal.h"

#include "cli_exit.h"
#include "command_line.h"
#include "outcome_json.h"

#include <ostream>

int RefuseUsage(CliStreams &streams, const std::string &message, const std::string &command,
                bool json) {
    streams.err << "orsela-cli: " << EscapedMessage(message) << '\n'
                << "用法见 orsela-cli" << (command.empty() ? "" : " " + command) << " --help\n";
    if (json) {
        streams.out << RefusedJsonText(message);
    }
    return kExitUsage;
}
