#include "whole_file_save.h"

#include "atomic_file_writer.h"

std::string SaveFailureMessage(const std::string &path, std::string_view cause) {
    return "无法保存计算书“" + path + "”: " + std::string(cause) + "。";
}

// The program's one file writer, with the report's own words for a failure.
std::optional<std::string> SaveWholeFile(const std::string &path, std::string_view bytes,
                                         const SaveFaults &faults) {
    AtomicFileWriter file;
    file.failWritesWith(faults.writeFailsWith);
    if (!file.open(path)) {
        file.write(bytes);
        if (!file.commit()) {
            return std::nullopt;
        }
    }
    std::string message = SaveFailureMessage(path, file.failureCause());
    return file.keptExistingFile() ? message + "原有文件未改动。" : message;
}
