#include "system_error_text.h"

#include <cerrno>
#include <cstring>
#include <optional>

namespace {

// The causes that read the same whichever way the file was going.
std::optional<std::string> EitherWayText(int error) {
    switch (error) {
    case EISDIR:
        return "这是一个文件夹, 不是文件";
    case ENOTDIR:
        return "路径中有一部分不是文件夹";
    case ENAMETOOLONG:
        return "文件名太长";
    case EMFILE:
    case ENFILE:
        return "打开的文件太多";
    case EIO:
        return "磁盘读写出错";
    default:
        return std::nullopt;
    }
}

} // namespace

std::string ReadErrorText(int error) {
    switch (error) {
    case ENOENT:
        return "文件不存在";
    case EACCES:
    case EPERM:
        return "没有读取权限";
    case ELOOP:
        return "符号链接太多 (可能循环)";
    case ENOMEM:
        return "内存不足";
    default:
        return EitherWayText(error).value_or(std::string("读取失败 (") + std::strerror(error) +
                                             ")");
    }
}

std::string WriteErrorText(int error) {
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
    case EFBIG:
        return "文件超过了系统允许的大小";
    case EBUSY:
    case ETXTBSY:
        return "文件正被占用";
    case ELOOP:
        return "链接层数太多";
    default:
        return EitherWayText(error).value_or("写入失败 (系统错误 " + std::to_string(error) + ": " +
                                             std::strerror(error) + ")");
    }
}
