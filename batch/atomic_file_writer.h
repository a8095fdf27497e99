#pragma once

#include <optional>
#include <string>
#include <string_view>

// The cause of a failed write in Chinese ("磁盘已满", ...), by errno.
std::string WriteFailureCause(int error);

// Writes a file as a stream and makes it appear only when complete: the
// bytes go to a temporary file (".orsela-XXXXXX") beside the target, which
// replaces the target on commit. On any failure, or when the writer is
// dropped uncommitted, the temporary file is removed and an existing target
// keeps its old content. A character device (such as /dev/null or
// /dev/stdout) is written directly, as it keeps no content to lose.
class AtomicFileWriter {
  public:
    AtomicFileWriter() = default;
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter &) = delete;
    AtomicFileWriter &operator=(const AtomicFileWriter &) = delete;

    // Returns a Chinese message naming the file and the cause on failure.
    std::optional<std::string> open(const std::string &path);
    // Buffers; a failure is kept and told by commit.
    void write(std::string_view bytes);
    std::optional<std::string> commit();

    // The temporary file while one is open; empty before, after and when
    // the target is written directly.
    const std::string &temporaryPath() const { return temporary_; }

  private:
    bool flush();
    std::string failure(int error) const;
    void discard();

    std::string path_;
    std::string temporary_;
    std::string buffer_;
    int fd_ = -1;
    int error_ = 0;
    bool direct_ = false;
    bool replacing_ = false; // an existing file is to be replaced
};
