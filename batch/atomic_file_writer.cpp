#include "atomic_file_writer.h"

#include "platform_files.h"
#include "utf8_path.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <filesystem>
#include <random>
#include <sys/stat.h>
#include <unistd.h>

namespace fs = std::filesystem;

namespace {

constexpr std::size_t kFlushAt = 1 << 20;

} // namespace

namespace {

std::string Quoted(const std::string &text) {
    return "“" + text + "”";
}

// The file a chain of links names; the path itself when it is no link or
// the chain does not end.
std::string FileBehindLinks(const std::string &path) {
    std::error_code error;
    fs::path file = PathOfUtf8(path);
    for (int depth = 0; depth < 40; ++depth) {
        if (!fs::is_symlink(fs::symlink_status(file, error))) {
            return Utf8OfPath(file);
        }
        const fs::path next = fs::read_symlink(file, error);
        if (error) {
            return path;
        }
        file = next.is_absolute() ? next : file.parent_path() / next;
    }
    return path;
}

std::string FolderOf(const std::string &path) {
    const fs::path folder = PathOfUtf8(path).parent_path();
    return folder.empty() ? std::string(".") : Utf8OfPath(folder);
}

// The causes that can be named before anything is made.
std::optional<std::string> CauseBeforeWriting(const std::string &target,
                                              const struct stat *existing) {
    if (existing != nullptr && S_ISDIR(existing->st_mode)) {
        return "这是一个文件夹, 不是文件";
    }
    std::error_code error;
    const fs::path folder = PathOfUtf8(FolderOf(target));
    if (!fs::is_directory(folder, error)) {
        fs::path ancestor = folder;
        while (!fs::exists(ancestor, error) && ancestor.has_parent_path() &&
               ancestor.parent_path() != ancestor) {
            ancestor = ancestor.parent_path();
        }
        if (fs::exists(ancestor, error) && !fs::is_directory(ancestor, error)) {
            return Quoted(Utf8OfPath(ancestor)) + "是一个文件, 不是文件夹";
        }
        return "文件夹" + Quoted(Utf8OfPath(folder)) + "不存在";
    }
    if (existing == nullptr) {
        return std::nullopt;
    }
    if (S_ISREG(existing->st_mode) && (existing->st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
        return "文件是只读的";
    }
    if (!S_ISREG(existing->st_mode) && !S_ISCHR(existing->st_mode)) {
        return "这不是一个普通文件";
    }
    return std::nullopt;
}

// A name for a temporary file in folder that no one is likely to have taken.
std::string TemporaryName(const std::string &folder) {
    static const char kLetters[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789";
    thread_local std::mt19937_64 random(std::random_device{}());
    std::string name = ".orsela-";
    for (int i = 0; i < 12; ++i) {
        name += kLetters[random() % (sizeof kLetters - 1)];
    }
    return Utf8OfPath(PathOfUtf8(folder) / name);
}

} // namespace

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

std::optional<std::string> AtomicFileWriter::fail(std::string cause) {
    discard();
    cause_ = std::move(cause);
    std::string message = "无法写入" + Quoted(path_) + ": " + cause_ + "。";
    return replacing_ ? message + "原有文件未改动。" : message;
}

std::optional<std::string> AtomicFileWriter::failWithErrno(int error) {
    return fail(WriteErrorText(error));
}

void AtomicFileWriter::discard() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    if (!temporary_.empty()) {
        ::unlink(temporary_.c_str());
        temporary_.clear();
    }
    removal_.reset();
}

bool AtomicFileWriter::openTemporary(const std::string &folder, unsigned mode) {
#ifdef O_TMPFILE
    // The unnamed file is given a name only when it is linked in on commit;
    // /proc/self/fd is how an unprivileged process links it.
    if (kind_ == TemporaryKind::UnnamedWherePossible && ::access("/proc/self/fd", X_OK) == 0) {
        fd_ = ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0600);
        if (fd_ >= 0) {
            unnamed_ = true;
            ::fchmod(fd_, mode);
            return true;
        }
    }
#endif
    // A named file is known to the signal handlers before it exists.
    for (int attempt = 0; attempt < 100; ++attempt) {
        std::string name = TemporaryName(folder);
        removal_.emplace(name);
        fd_ = CreateNewFile(name);
        if (fd_ >= 0) {
            temporary_ = std::move(name);
            GiveFileMode(fd_, mode);
            return true;
        }
        const int error = errno;
        removal_.reset();
        if (error != EEXIST) {
            errno = error;
            return false;
        }
    }
    errno = EEXIST;
    return false;
}

std::optional<std::string> AtomicFileWriter::open(const std::string &path) {
    path_ = path;
    if (path.empty()) {
        return fail("没有给出文件名");
    }
    target_ = FileBehindLinks(path);
    struct stat status {};
    const bool exists = ::stat(target_.c_str(), &status) == 0;
    if (auto cause = CauseBeforeWriting(target_, exists ? &status : nullptr)) {
        replacing_ = exists && S_ISREG(status.st_mode);
        return fail(*cause);
    }
    if (exists && S_ISCHR(status.st_mode)) {
        direct_ = true;
        fd_ = ::open(target_.c_str(), O_WRONLY | OpenFlagsOfEveryFile());
        return fd_ < 0 ? failWithErrno(errno) : std::nullopt;
    }
    replacing_ = exists;
    // The file's own permissions stay; a new file gets what the umask allows.
    unsigned mode = 0;
    if (exists) {
        mode = status.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    if (!openTemporary(FolderOf(target_), mode)) {
        return failWithErrno(errno);
    }
    return std::nullopt;
}

bool AtomicFileWriter::flush() {
    if (injectedError_ != 0 && !buffer_.empty()) {
        error_ = injectedError_;
        return false;
    }
    std::size_t done = 0;
    while (done < buffer_.size()) {
        const ssize_t n = ::write(fd_, buffer_.data() + done, buffer_.size() - done);
        if (n < 0) {
            if (errno == EINTR) {
                continue;
            }
            error_ = errno;
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    buffer_.clear();
    return true;
}

void AtomicFileWriter::write(std::string_view bytes) {
    if (error_ != 0 || fd_ < 0) {
        return;
    }
    buffer_.append(bytes);
    if (buffer_.size() >= kFlushAt) {
        flush();
    }
}

// Puts the complete temporary file in the target's place.
bool AtomicFileWriter::replaceTarget() {
#ifdef O_TMPFILE
    if (unnamed_) {
        // Linked under a name of its own first (a link never replaces a
        // file), known to the handlers before it exists, then renamed.
        const std::string link = "/proc/self/fd/" + std::to_string(fd_);
        for (int attempt = 0; attempt < 100; ++attempt) {
            std::string name = TemporaryName(FolderOf(target_));
            removal_.emplace(name);
            if (::linkat(AT_FDCWD, link.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0) {
                temporary_ = std::move(name);
                break;
            }
            const int error = errno;
            removal_.reset();
            if (error != EEXIST) {
                error_ = error;
                return false;
            }
        }
        if (temporary_.empty()) {
            error_ = EEXIST;
            return false;
        }
    }
#endif
    if (::close(fd_) != 0) {
        error_ = errno;
    }
    fd_ = -1;
    if (error_ == 0) {
        error_ = ReplaceFileWith(temporary_, target_);
    }
    if (error_ != 0) {
        return false;
    }
    temporary_.clear();
    removal_.reset();
    return true;
}

std::optional<std::string> AtomicFileWriter::commit() {
    if (fd_ < 0) {
        return cause_.empty() ? failWithErrno(EBADF) : fail(cause_);
    }
    if (error_ == 0) {
        flush();
    }
    if (error_ == 0 && !direct_) {
        error_ = FlushToDisk(fd_);
    }
    if (direct_) {
        if (::close(fd_) != 0 && error_ == 0) {
            error_ = errno;
        }
        fd_ = -1;
    } else if (error_ == 0) {
        replaceTarget();
    }
    if (error_ != 0) {
        return failWithErrno(error_);
    }
    return std::nullopt;
}
