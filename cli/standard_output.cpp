#include "standard_output.h"

#include "atomic_file_writer.h"

#include <cerrno>
#include <cstdio>
#include <iostream>

bool StandardOutputWritten(CliStreams &streams) {
    errno = 0;
    streams.out.flush();
    int error = errno;
    bool failed = !streams.out.good();
    if (&streams.out == &std::cout && (failed || std::ferror(stdout) != 0)) {
        // A stream that failed earlier flushes nothing: stdio still holds
        // what it could not write, and trying again names the cause.
        failed = true;
        errno = 0;
        if (std::fflush(stdout) != 0 && errno != 0) {
            error = errno;
        }
    }
    if (!failed) {
        return true;
    }
    if (!streams.outputFailureTold) {
        streams.outputFailureTold = true;
        streams.err << "orsela-cli: 无法写出标准输出: "
                    << (error != 0 ? WriteFailureCause(error) : std::string("写入失败")) << '\n';
    }
    return false;
}
