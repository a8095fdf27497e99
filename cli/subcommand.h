#pragma once

#include <functional>
#include <iosfwd>
#include <string>

namespace CLI {
class App;
}

struct CliStreams {
    std::istream &in;
    std::ostream &out;
    std::ostream &err;
    bool outputFailureTold = false; // a failed standard output is said once
};

// A subcommand of orsela-cli ("batch", ...): it registers its options on
// its own CLI::App and keeps what they store until run is called.
struct Subcommand {
    CLI::App *app = nullptr;
    std::string usage;                    // its --help text
    std::function<int(CliStreams &)> run; // returns the exit status
};
