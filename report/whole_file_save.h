#pragma once

#include <optional>
#include <string>
#include <string_view>

// Writes bytes as the whole new content of the file at path (UTF-8) by the
// program's one file writer (AtomicFileWriter): the target is replaced only
// once the new content is complete; on failure an existing file keeps its
// old content and no partial file remains.
//
// Returns nothing on success, else a Chinese message naming the file and the
// cause (missing folder, read-only file, a folder, disk full, ...).
//
// faults stands in for failures a test cannot cause safely: with
// writeFailsWith set (a system error number such as ENOSPC), the write into
// the opened file fails with it.
struct SaveFaults {
    int writeFailsWith = 0;
};
std::optional<std::string> SaveWholeFile(const std::string &path, std::string_view bytes,
                                         const SaveFaults &faults = {});

// "无法保存计算书“path”: cause" -- the one form of every save failure.
std::string SaveFailureMessage(const std::string &path, std::string_view cause);
