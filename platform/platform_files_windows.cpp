#include "platform_files.h"

#include <cerrno>
#include <fcntl.h>
#include <io.h>
#include <windows.h>

namespace {

std::wstring Wide(const std::string &utf8) {
    const int size = static_cast<int>(utf8.size());
    const int length = ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, nullptr, 0);
    std::wstring wide(static_cast<std::size_t>(length), L'\0');
    ::MultiByteToWideChar(CP_UTF8, 0, utf8.data(), size, wide.data(), length);
    return wide;
}

// The errno a Windows error code stands for, as WriteErrorText names them.
int ErrnoOf(DWORD error) {
    switch (error) {
    case ERROR_DISK_FULL:
    case ERROR_HANDLE_DISK_FULL:
        return ENOSPC;
    case ERROR_ACCESS_DENIED:
        return EACCES;
    case ERROR_WRITE_PROTECT:
        return EROFS;
    case ERROR_SHARING_VIOLATION:
    case ERROR_LOCK_VIOLATION:
        return EBUSY;
    case ERROR_FILE_NOT_FOUND:
    case ERROR_PATH_NOT_FOUND:
        return ENOENT;
    case ERROR_FILENAME_EXCED_RANGE:
        return ENAMETOOLONG;
    default:
        return EIO;
    }
}

} // namespace

int OpenFlagsOfEveryFile() {
    return O_NOINHERIT | O_BINARY;
}

int CreateNewFile(const std::string &path) {
    // Handles are not inherited unless asked for (no security attributes).
    const HANDLE handle =
        ::CreateFileW(Wide(path).c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                      nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (handle == INVALID_HANDLE_VALUE) {
        const DWORD error = ::GetLastError();
        errno =
            error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS ? EEXIST : ErrnoOf(error);
        return -1;
    }
    const int fd = ::_open_osfhandle(reinterpret_cast<intptr_t>(handle), O_WRONLY | O_BINARY);
    if (fd < 0) {
        ::CloseHandle(handle);
        errno = EMFILE;
    }
    return fd;
}

int FlushToDisk(int fd) {
    return ::_commit(fd) == 0 ? 0 : errno;
}

void GiveFileMode(int, unsigned) {}

// Write-through: the rename is on disk when the call returns, as the
// content already is.
int ReplaceFileWith(const std::string &temporary, const std::string &target) {
    if (::MoveFileExW(Wide(temporary).c_str(), Wide(target).c_str(),
                      MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return 0;
    }
    return ErrnoOf(::GetLastError());
}

// The C runtime's descriptors block; nothing to wait for.
void WaitForInput(int) {}

// A console, not merely a character device (NUL is one too).
bool IsTerminal(int fd) {
    const auto handle = reinterpret_cast<HANDLE>(::_get_osfhandle(fd));
    DWORD mode = 0;
    return handle != INVALID_HANDLE_VALUE && ::GetFileType(handle) == FILE_TYPE_CHAR &&
           ::GetConsoleMode(handle, &mode);
}

std::optional<std::string> ProgramFilePath() {
    std::wstring wide(32768, L'\0');
    const DWORD length =
        ::GetModuleFileNameW(nullptr, wide.data(), static_cast<DWORD>(wide.size()));
    if (length == 0 || length >= wide.size()) {
        return std::nullopt;
    }
    const int size = ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(length),
                                           nullptr, 0, nullptr, nullptr);
    std::string utf8(static_cast<std::size_t>(size), '\0');
    ::WideCharToMultiByte(CP_UTF8, 0, wide.data(), static_cast<int>(length), utf8.data(), size,
                          nullptr, nullptr);
    return utf8;
}

void PrepareStandardStreams() {
    ::SetConsoleOutputCP(CP_UTF8);
    ::SetConsoleCP(CP_UTF8);
    ::_setmode(0, O_BINARY);
    ::_setmode(1, O_BINARY);
    ::_setmode(2, O_BINARY);
}
