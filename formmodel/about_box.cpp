#include "about_box.h"

#include <array>

namespace {

constexpr std::array<const char *, 9> kLines = {
    "Orsela    属于Quorlan自定义函数系列程序",
    "",
    "版权所有 (C) Orsela 开发组",
    "",
    "所有者声明：",
    "  Orsela 所提供的数据仅供各位参考。",
    "  欢迎大家在使用过程中多提意见，有不当之处请及时提出。",
    "  联系邮箱: orsela-dev@example.org",
    "  同时特别感谢曾经给“Quorlan自定义函数系列程序”提出中肯改进意见的各位同仁。",
};

} // namespace

const char *AboutBoxTitle() {
    return "关于 Orsela";
}

std::span<const char *const> AboutBoxLines() {
    return kLines;
}

std::string AboutBoxText() {
    std::string text;
    for (std::size_t i = 0; i < kLines.size(); ++i) {
        text += i == 0 ? "" : "\r\n";
        text += kLines[i];
    }
    return text;
}
