#include "whole_file_save.h"

#include <QFile>
#include <QFileInfo>
#include <QTemporaryFile>

#include <cerrno>
#include <filesystem>
#include <system_error>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

std::string Utf8(const QString &text) {
    return text.toUtf8().toStdString();
}

std::string Quoted(const QString &text) {
    return "“" + Utf8(text) + "”";
}

// A cause told by the system's error number; Qt's own (English) text where
// the number says nothing we can name.
std::string CauseOfError(int error, const QString &qtText) {
    switch (error) {
    case ENOSPC:
#ifdef EDQUOT // POSIX; not on Windows
    case EDQUOT:
#endif
        return "磁盘已满";
    case EACCES:
    case EPERM:
        return "没有写入权限";
    case EROFS:
        return "磁盘或分区是只读的";
    case ENOENT: // the folder was there when checked: it takes no new files
        return "无法在这个文件夹中创建文件";
    case ENOTDIR:
        return "路径中有一部分不是文件夹";
    case EISDIR:
        return "这是一个文件夹, 不是文件";
    case EFBIG:
        return "文件超过了系统允许的大小";
    case ENAMETOOLONG:
        return "文件名太长";
    case EBUSY:
#ifdef ETXTBSY
    case ETXTBSY:
#endif
        return "文件正被占用";
    case EMFILE:
    case ENFILE:
        return "打开的文件太多";
    case EIO:
        return "磁盘读写出错";
    default:
        return "写入失败 (" + Utf8(qtText) + ")";
    }
}

// The nearest existing folder above path, or the file that stands where a
// folder should be.
QFileInfo NearestExistingAncestor(const QFileInfo &target) {
    QFileInfo ancestor(target.absolutePath());
    while (!ancestor.exists() && !ancestor.isRoot()) {
        ancestor = QFileInfo(ancestor.absolutePath());
    }
    return ancestor;
}

bool HasAnyWriteBit(const QFileInfo &file) {
    return (file.permissions() &
            (QFileDevice::WriteOwner | QFileDevice::WriteGroup | QFileDevice::WriteOther)) != 0;
}

enum class TargetKind { Missing, RegularFile, CharacterDevice, Other };

TargetKind KindOf(const QString &path) {
    std::error_code error;
    const auto status = std::filesystem::status(QFile::encodeName(path).toStdString(), error);
    if (error || !std::filesystem::exists(status)) {
        return TargetKind::Missing;
    }
    if (std::filesystem::is_regular_file(status)) {
        return TargetKind::RegularFile;
    }
    return std::filesystem::is_character_file(status) ? TargetKind::CharacterDevice
                                                      : TargetKind::Other;
}

// Writes the bytes, or fails as told: a write that the system refused with
// failWith (tests of a full disk without a full disk).
bool WriteAll(QFileDevice &file, std::string_view bytes, int failWith) {
    if (failWith != 0) {
        errno = failWith;
        return false;
    }
    const auto size = static_cast<qint64>(bytes.size());
    return file.write(bytes.data(), size) == size && file.flush();
}

// The causes we can name before touching anything. The read-only test reads
// the permission bits, not the access right, so that a file marked read-only
// stays untouched also for an administrator, as the user meant it.
std::optional<std::string> CauseBeforeWriting(const QString &path, TargetKind kind) {
    if (path.isEmpty()) {
        return "没有给出文件名";
    }
    const QFileInfo target(path);
    if (target.isDir()) {
        return "这是一个文件夹, 不是文件";
    }
    const QFileInfo folder(target.absolutePath());
    if (!folder.isDir()) {
        const QFileInfo ancestor = NearestExistingAncestor(target);
        if (ancestor.exists() && !ancestor.isDir()) {
            return Quoted(ancestor.absoluteFilePath()) + "是一个文件, 不是文件夹";
        }
        return "文件夹" + Quoted(folder.absoluteFilePath()) + "不存在";
    }
    if (kind == TargetKind::RegularFile && !HasAnyWriteBit(target)) {
        return "文件是只读的";
    }
    if (kind == TargetKind::Other) {
        return "这不是一个普通文件";
    }
    return std::nullopt;
}

std::optional<std::string> WriteDirectly(const QString &path, std::string_view bytes,
                                         int failWith) {
    QFile device(path);
    errno = 0;
    if (!device.open(QIODevice::WriteOnly)) {
        return CauseOfError(errno, device.errorString());
    }
    errno = 0;
    if (!WriteAll(device, bytes, failWith)) {
        return CauseOfError(errno, device.errorString());
    }
    return std::nullopt;
}

// The permissions the target has, or those a new file gets; QTemporaryFile
// makes its file for the owner alone.
void GiveTargetsPermissions(QFile &file, const QFileInfo &target) {
#ifdef Q_OS_UNIX
    struct stat status {};
    mode_t mode = 0;
    if (::stat(QFile::encodeName(target.filePath()).constData(), &status) == 0) {
        mode = status.st_mode & 07777;
    } else {
        const mode_t mask = ::umask(0);
        ::umask(mask);
        mode = 0666 & ~mask;
    }
    ::fchmod(file.handle(), mode);
#else
    if (target.exists()) {
        file.setPermissions(target.permissions());
    }
#endif
}

bool SyncToDisk(QFile &file) {
#ifdef Q_OS_UNIX
    return ::fsync(file.handle()) == 0;
#else
    return file.flush();
#endif
}

// A link is followed to the file it names: that file is replaced, the link stays.
QFileInfo FileBehindLinks(const QString &path) {
    QFileInfo file(path);
    for (int depth = 0; depth < 64 && file.isSymLink(); ++depth) {
        file.setFile(file.symLinkTarget());
    }
    return file.isSymLink() ? QFileInfo(path) : file;
}

// The temporary file has a short name of its own in the target's folder, so
// that it fits the name limit whatever the length of the target's name.
std::optional<std::string> WriteThroughTemporary(const QString &path, std::string_view bytes,
                                                 int failWith) {
    const QFileInfo target = FileBehindLinks(path);
    QTemporaryFile file(target.absolutePath() + QStringLiteral("/.orsela-XXXXXX"));
    errno = 0;
    if (!file.open()) {
        return CauseOfError(errno, file.errorString());
    }
    GiveTargetsPermissions(file, target);
    errno = 0;
    if (!WriteAll(file, bytes, failWith) || !SyncToDisk(file)) {
        return CauseOfError(errno, file.errorString()); // the temporary goes with `file`
    }
    file.close();
    std::error_code error;
    std::filesystem::rename(QFile::encodeName(file.fileName()).toStdString(),
                            QFile::encodeName(target.absoluteFilePath()).toStdString(), error);
    if (error) {
        return CauseOfError(error.value(), QString::fromStdString(error.message()));
    }
    file.setAutoRemove(false);
    return std::nullopt;
}

} // namespace

std::string SaveFailureMessage(const std::string &path, std::string_view cause) {
    return "无法保存计算书“" + path + "”: " + std::string(cause) + "。";
}

std::optional<std::string> SaveWholeFile(const std::string &path, std::string_view bytes,
                                         const SaveFaults &faults) {
    const QString qtPath = QString::fromUtf8(path.data(), static_cast<qsizetype>(path.size()));
    const TargetKind kind = KindOf(qtPath);
    std::optional<std::string> cause = CauseBeforeWriting(qtPath, kind);
    if (!cause) {
        cause = kind == TargetKind::CharacterDevice
                    ? WriteDirectly(qtPath, bytes, faults.writeFailsWith)
                    : WriteThroughTemporary(qtPath, bytes, faults.writeFailsWith);
    }
    if (!cause) {
        return std::nullopt;
    }
    std::string message = SaveFailureMessage(path, *cause);
    if (kind == TargetKind::RegularFile) {
        message += "原有文件未改动。";
    }
    return message;
}
