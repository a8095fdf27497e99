#include "system_error_text.h"

#include <cerrno>
#include <cstring>

std::string ReadErrorText(int error) {
    switch (error) {
    case ENOENT:
        return "文件不存在";
    case EACCES:
    case EPERM:
        return "没有读取权限";
    case EISDIR:
        return "这是一个文件夹, 不是文件";
    case ENOTDIR:
        return "路径中有一部分不是文件夹";
    case ENAMETOOLONG:
        return "文件名太长";
    case ELOOP:
        return "符号链接太多 (可能循环)";
    case EMFILE:
    case ENFILE:
        return "打开的文件太多";
    case EIO:
        return "磁盘读写出错";
    case ENOMEM:
        return "内存不足";
    default:
        return std::string("读取失败 (") + std::strerror(error) + ")";
    }
}
