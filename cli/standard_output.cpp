#include "standard_output.h"

#include "atomic_file_writer.h"

#include <cerrno>
#include <ostream>
#include <unistd.h>

DescriptorOutput::DescriptorOutput(int fd) : fd_(fd), buffer_(1 << 16) {
    setp(buffer_.data(), buffer_.data() + buffer_.size());
}

DescriptorOutput::~DescriptorOutput() {
    drain();
}

bool DescriptorOutput::drain() {
    const char *next = pbase();
    while (error_ == 0 && next < pptr()) {
        const ssize_t n = ::write(fd_, next, static_cast<std::size_t>(pptr() - next));
        if (n > 0) {
            next += n;
        } else if (n == 0) {
            error_ = EIO; // no progress: never loop for ever
        } else if (errno != EINTR) {
            error_ = errno;
        }
    }
    setp(buffer_.data(), buffer_.data() + buffer_.size());
    return error_ == 0;
}

DescriptorOutput::int_type DescriptorOutput::overflow(int_type c) {
    if (!drain()) {
        return traits_type::eof();
    }
    if (!traits_type::eq_int_type(c, traits_type::eof())) {
        *pptr() = traits_type::to_char_type(c);
        pbump(1);
    }
    return traits_type::not_eof(c);
}

int DescriptorOutput::sync() {
    return drain() ? 0 : -1;
}

bool StandardOutputWritten(CliStreams &streams) {
    if (streams.out.flush()) {
        return true;
    }
    if (!streams.outputFailureTold) {
        streams.outputFailureTold = true;
        const auto *descriptor = dynamic_cast<const DescriptorOutput *>(streams.out.rdbuf());
        const int error = descriptor != nullptr ? descriptor->error() : 0;
        streams.err << "orsela-cli: 无法写出标准输出: "
                    << (error != 0 ? WriteErrorText(error) : std::string("写入失败")) << '\n';
    }
    return false;
}
