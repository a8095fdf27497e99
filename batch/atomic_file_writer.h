#pragma once

#include "removal_on_signal.h"
#include "system_error_text.h"

#include <optional>
#include <string>
#include <string_view>

// How a temporary file is made. Unnamed (Linux's O_TMPFILE) leaves nothing
// behind whatever stops the program, SIGKILL included; a named one beside
// the target is removed on failure and on the signals of RemovalOnSignal.
enum class TemporaryKind { UnnamedWherePossible, Named };

// The one way every output file of the program is written: the bytes go to
// a temporary file in the target's folder, which replaces the target only
// when complete and on disk. On any failure, or when the writer is dropped
// uncommitted, nothing is left and an existing target keeps its content.
//
// One rule for every target: a link is followed to the file it names (that
// file is replaced, the link stays); a file marked read-only by its
// permission bits is refused, also for an administrator, as the user meant
// it; a folder or a special file other than a character device is refused;
// a character device (/dev/null, /dev/stdout) is written directly, as it
// keeps no content to lose.
class AtomicFileWriter {
  public:
    AtomicFileWriter() = default;
    explicit AtomicFileWriter(TemporaryKind kind) : kind_(kind) {}
    ~AtomicFileWriter();
    AtomicFileWriter(const AtomicFileWriter &) = delete;
    AtomicFileWriter &operator=(const AtomicFileWriter &) = delete;

    // Returns "无法写入“path”: cause。" on failure.
    std::optional<std::string> open(const std::string &path);
    // Buffers; a failure is kept and told by commit.
    void write(std::string_view bytes);
    std::optional<std::string> commit();

    // The cause alone of the last failure ("磁盘已满"), for callers with a
    // message of their own; and whether an existing file stayed as it was.
    const std::string &failureCause() const { return cause_; }
    bool keptExistingFile() const { return replacing_; }

    // Tests: every write fails with this system error number (ENOSPC, ...).
    void failWritesWith(int error) { injectedError_ = error; }

  private:
    std::optional<std::string> fail(std::string cause);
    std::optional<std::string> failWithErrno(int error);
    bool openTemporary(const std::string &folder, unsigned mode);
    bool flush();
    bool replaceTarget();
    void discard();

    TemporaryKind kind_ = TemporaryKind::UnnamedWherePossible;
    std::string path_;   // as given, for messages
    std::string target_; // the file behind any links
    std::string temporary_;
    std::optional<RemovalOnSignal> removal_;
    std::string buffer_;
    std::string cause_;
    int fd_ = -1;
    int error_ = 0;
    int injectedError_ = 0;
    bool unnamed_ = false;
    bool direct_ = false;
    bool replacing_ = false; // an existing file is to be replaced
};
