#include "drawing_file.h"

#include "torsion_drawing.h"
#include "whole_file_save.h"

#include <algorithm>
#include <cctype>

namespace {

bool EndsWith(const std::string &path, const char *suffix) {
    const std::string tail(suffix);
    if (path.size() < tail.size()) {
        return false;
    }
    return std::equal(tail.begin(), tail.end(), path.end() - static_cast<long>(tail.size()),
                      [](char a, char b) {
                          return std::tolower(static_cast<unsigned char>(a)) ==
                                 std::tolower(static_cast<unsigned char>(b));
                      });
}

// Saves the bytes the drawing of path's kind makes, naming a failure a drawing's.
template <typename Bytes>
std::optional<std::string> SaveDrawing(const std::string &path, const Bytes &bytes) {
    if (!IsDrawingFileName(path)) {
        return "无法保存图样“" + path + "”: 文件名应以 .dxf 或 .svg 结尾";
    }
    std::optional<std::string> failure = SaveWholeFile(path, bytes(EndsWith(path, ".dxf")));
    // The save names what it saves a calculation report; this is a drawing.
    const std::string report = "无法保存计算书";
    if (failure && failure->rfind(report, 0) == 0) {
        failure->replace(0, report.size(), "无法保存图样");
    }
    return failure;
}

} // namespace

bool IsDrawingFileName(const std::string &path) {
    return EndsWith(path, ".dxf") || EndsWith(path, ".svg");
}

std::optional<std::string> WriteSpringDrawing(const std::string &path, const DrawingInput &input) {
    return SaveDrawing(path, [&](bool dxf) { return SpringDrawingBytes(input, dxf); });
}

std::optional<std::string> WriteTorsionDrawing(const std::string &path,
                                               const TorsionDrawingInput &input) {
    return SaveDrawing(path, [&](bool dxf) { return TorsionDrawingBytes(input, dxf); });
}
