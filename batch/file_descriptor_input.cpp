#include "file_descriptor_input.h"

#include "platform_files.h"

#include <cerrno>
#include <ios>
#include <unistd.h>

namespace {

constexpr std::size_t kBufferSize = 1 << 16;

} // namespace

FileDescriptorInput::FileDescriptorInput(int fd) : fd_(fd), buffer_(kBufferSize) {}

FileDescriptorInput::int_type FileDescriptorInput::underflow() {
    if (gptr() < egptr()) {
        return traits_type::to_int_type(*gptr());
    }
    if (error_ != 0) {
        return traits_type::eof();
    }
    for (;;) {
        const ssize_t n = ::read(fd_, buffer_.data(), buffer_.size());
        if (n > 0) {
            setg(buffer_.data(), buffer_.data(), buffer_.data() + n);
            return traits_type::to_int_type(*gptr());
        }
        if (n == 0) {
            return traits_type::eof();
        }
        if (errno == EINTR) {
            continue;
        }
        if (errno == EAGAIN || errno == EWOULDBLOCK) {
            // A descriptor left non-blocking by whoever opened it: wait for data.
            WaitForInput(fd_);
            continue;
        }
        error_ = errno;
        // The stream takes an exception from its buffer as badbit.
        throw std::ios_base::failure("read");
    }
}
