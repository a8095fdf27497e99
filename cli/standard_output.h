#pragma once

#include "subcommand.h"

#include <streambuf>
#include <vector>

// Standard output flushed and checked: a write that failed (a full disk, a
// closed pipe) must not pass for success. On failure says so on stderr
// ("无法写出标准输出: 磁盘已满"), once however often asked, and returns false.
bool StandardOutputWritten(CliStreams &streams);

// What std::cout writes through in the program: write(2) on a descriptor,
// keeping the system's error number of the first failed write, which stdio
// forgets once it drops what it could not write.
class DescriptorOutput : public std::streambuf {
  public:
    explicit DescriptorOutput(int fd);
    ~DescriptorOutput() override;

    // The errno of the failed write; 0 while none failed.
    int error() const { return error_; }

  protected:
    int_type overflow(int_type c) override;
    int sync() override;

  private:
    bool drain();

    int fd_;
    int error_ = 0;
    std::vector<char> buffer_;
};
