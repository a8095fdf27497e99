#include "cli_run.h"
#include "platform_files.h"
#include "standard_output.h"

#include <iostream>
#include <unistd.h>

int main(int argc, char **argv) {
    PrepareStandardStreams();
    const std::vector<std::string> args(argv + 1, argv + argc);
    // Written with write(2), so that a failed write keeps its cause.
    DescriptorOutput output(STDOUT_FILENO);
    std::streambuf *const stdio = std::cout.rdbuf(&output);
    const int status = RunCli(args, std::cin, std::cout, std::cerr);
    std::cout.rdbuf(stdio);
    return status;
}
