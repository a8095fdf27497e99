#pragma once

#include <streambuf>
#include <vector>

// A stream buffer that reads an open file descriptor with read(2). A failed
// read ends the input with the stream's badbit set and keeps the system's
// error number, so that a failing pipe or disk, or a folder given as
// standard input, is told apart from the end of the input. Does not close
// the descriptor.
class FileDescriptorInput : public std::streambuf {
  public:
    explicit FileDescriptorInput(int fd);

    // The errno of the failed read; 0 while none failed.
    int error() const { return error_; }

  protected:
    int_type underflow() override;

  private:
    int fd_;
    int error_ = 0;
    std::vector<char> buffer_;
};
