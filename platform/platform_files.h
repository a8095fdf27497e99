#pragma once

#include <optional>
#include <string>

// What the program needs of the operating system beyond standard C++, one
// file per system (platform_files_posix.cpp, platform_files_windows.cpp).
// Paths are UTF-8 on every system; a failure is told by its errno value.

// The flags every file the program opens takes besides its access mode: not
// inherited by a child process; on Windows also binary, so that the bytes
// written are the bytes on disk.
int OpenFlagsOfEveryFile();

// Creates the file at path, which must not exist yet, for writing only: the
// descriptor, or -1 with errno set. Only the owner may read it (POSIX); on
// Windows it can be deleted while open, as on POSIX.
int CreateNewFile(const std::string &path);

// The file's content on the disk itself: 0, or the errno of the failure.
int FlushToDisk(int fd);

// Gives a new file the permissions the replaced one had (or the umask
// allows); Windows keeps no such bits.
void GiveFileMode(int fd, unsigned mode);

// Puts the complete file temporary in target's place in one step, an
// existing target included: 0, or the errno of the failure.
int ReplaceFileWith(const std::string &temporary, const std::string &target);

// Waits until fd (left non-blocking by whoever opened it) has input.
void WaitForInput(int fd);

// Whether fd is the program's own terminal (console window on Windows).
bool IsTerminal(int fd);

// The running program's own file, when the system tells it.
std::optional<std::string> ProgramFilePath();

// Standard input and output carry UTF-8 bytes unchanged; on Windows the
// console shows them as UTF-8. Called once at the start of a program.
void PrepareStandardStreams();
