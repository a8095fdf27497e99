#pragma once

#include <filesystem>
#include <string>
#include <string_view>

// The program's paths are UTF-8 text. std::filesystem reads and gives a
// narrow string in the C library's locale on Windows, which garbles every
// name outside ASCII; through char8_t the text is UTF-8 on every system.
inline std::filesystem::path PathOfUtf8(std::string_view utf8) {
    return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

inline std::string Utf8OfPath(const std::filesystem::path &path) {
    const std::u8string text = path.u8string();
    return std::string(text.begin(), text.end());
}
