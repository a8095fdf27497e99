#pragma once

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

// The names in a folder, sorted and separated by blanks: what a test that
// writes into it expects to find there, and nothing else.
inline std::string FolderNames(const std::filesystem::path &folder) {
    std::vector<std::string> names;
    for (const auto &entry : std::filesystem::directory_iterator(folder)) {
        names.push_back(entry.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    std::string joined;
    for (const std::string &name : names) {
        joined += (joined.empty() ? "" : " ") + name;
    }
    return joined;
}
