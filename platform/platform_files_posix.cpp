#include "platform_files.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <filesystem>
#include <poll.h>
#include <sys/stat.h>
#include <unistd.h>

int OpenFlagsOfEveryFile() {
    return O_CLOEXEC;
}

int CreateNewFile(const std::string &path) {
    return ::open(path.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
}

int FlushToDisk(int fd) {
    return ::fsync(fd) == 0 ? 0 : errno;
}

void GiveFileMode(int fd, unsigned mode) {
    ::fchmod(fd, mode);
}

int ReplaceFileWith(const std::string &temporary, const std::string &target) {
    return std::rename(temporary.c_str(), target.c_str()) == 0 ? 0 : errno;
}

void WaitForInput(int fd) {
    pollfd wanted{fd, POLLIN, 0};
    ::poll(&wanted, 1, -1);
}

bool IsTerminal(int fd) {
    return ::isatty(fd) == 1;
}

std::optional<std::string> ProgramFilePath() {
#ifdef __linux__
    std::error_code error;
    const std::filesystem::path program = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error && !program.empty()) {
        return program.string();
    }
#endif
    return std::nullopt;
}

void PrepareStandardStreams() {}
