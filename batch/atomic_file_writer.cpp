#include "atomic_file_writer.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

constexpr std::size_t kFlushAt = 1 << 20;

} // namespace

std::string WriteFailureCause(int error) {
    switch (error) {
    case ENOSPC:
    case EDQUOT:
        return "磁盘已满";
    case EACCES:
    case EPERM:
        return "没有写入权限";
    case EROFS:
        return "磁盘或分区是只读的";
    case ENOENT:
        return "文件夹不存在";
    case ENOTDIR:
        return "路径中有一部分不是文件夹";
    case EISDIR:
        return "这是一个文件夹, 不是文件";
    case EFBIG:
        return "文件超过了系统允许的大小";
    case ENAMETOOLONG:
        return "文件名太长";
    case EIO:
        return "磁盘读写出错";
    default:
        return std::string("写入失败 (") + std::strerror(error) + ")";
    }
}

namespace {

// A short name of its own in the target's folder, so that it fits the name
// limit whatever the length of the target's name.
std::string TemporaryPattern(const std::string &path) {
    const std::size_t slash = path.rfind('/');
    return (slash == std::string::npos ? std::string() : path.substr(0, slash + 1)) +
           ".orsela-XXXXXX";
}

} // namespace

AtomicFileWriter::~AtomicFileWriter() {
    discard();
}

std::string AtomicFileWriter::failure(int error) const {
    return "无法写入“" + path_ + "”: " + WriteFailureCause(error) + "。";
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
}

std::optional<std::string> AtomicFileWriter::open(const std::string &path) {
    path_ = path;
    if (path.empty()) {
        return "没有给出输出文件名。";
    }
    struct stat status {};
    const bool exists = ::stat(path.c_str(), &status) == 0;
    if (exists && S_ISCHR(status.st_mode)) {
        direct_ = true;
        fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
        return fd_ < 0 ? std::optional(failure(errno)) : std::nullopt;
    }
    if (exists && S_ISDIR(status.st_mode)) {
        return failure(EISDIR);
    }
    if (exists && !S_ISREG(status.st_mode)) {
        return "无法写入“" + path + "”: 这不是一个普通文件。";
    }
    // The file's own permissions stay; a new file gets what the umask allows.
    mode_t mode = 0;
    if (exists) {
        mode = status.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    std::string pattern = TemporaryPattern(path);
    fd_ = ::mkstemp(pattern.data());
    if (fd_ < 0) {
        return failure(errno);
    }
    temporary_ = pattern;
    replacing_ = exists;
    ::fchmod(fd_, mode);
    return std::nullopt;
}

bool AtomicFileWriter::flush() {
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

std::optional<std::string> AtomicFileWriter::commit() {
    if (fd_ < 0) {
        return failure(EBADF);
    }
    if (error_ == 0) {
        flush();
    }
    if (error_ == 0 && !direct_ && ::fsync(fd_) != 0) {
        error_ = errno;
    }
    if (::close(fd_) != 0 && error_ == 0) {
        error_ = errno;
    }
    fd_ = -1;
    if (error_ == 0 && !direct_ && ::rename(temporary_.c_str(), path_.c_str()) != 0) {
        error_ = errno;
    }
    if (error_ != 0) {
        discard();
        std::string message = failure(error_);
        return replacing_ ? message + "原有文件未改动。" : message;
    }
    temporary_.clear();
    return std::nullopt;
}
