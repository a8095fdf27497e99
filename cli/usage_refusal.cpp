#include "usage_refusal.h"

#include "cli_exit.h"
#include "command_line.h"

#include <nlohmann/json.hpp>

#include <ostream>

int RefuseUsage(CliStreams &streams, const std::string &message, const std::string &command,
                bool json) {
    streams.err << "orsela-cli: " << EscapedMessage(message) << '\n'
                << "用法见 orsela-cli" << (command.empty() ? "" : " " + command) << " --help\n";
    if (json) {
        nlohmann::ordered_json refusal;
        refusal["status"] = "refused";
        refusal["message"] = message;
        streams.out << refusal.dump(2, ' ', false, nlohmann::ordered_json::error_handler_t::replace)
                    << '\n';
    }
    return kExitUsage;
}
