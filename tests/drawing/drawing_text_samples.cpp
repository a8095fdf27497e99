// Writes the sample drawing with generated texts in every field a user fills
// (fixed seed): arbitrary bytes, bytes that are not UTF-8 (GBK, a stray
// 0xFF, a cut sequence), control characters, U+FFFE and U+FFFF, characters
// beyond the BMP, markup and DXF's own escapes. check_drawing_texts.py reads
// every file back: ezdxf each DXF, Python's XML parser each SVG.
#include "../calc/design_fixtures.h"
#include "calculate_spring.h"
#include "drawing_file.h"

#include <array>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <random>
#include <string>

namespace {

// Pieces that have broken writers before, mixed with random bytes.
constexpr std::array<std::string_view, 14> kPieces = {
    "\xCD\xF5\xE8\xA4", "\xFF",         "\xE4\xB8",  "\xF0\x9F\x98\x80",
    "\xEF\xBF\xBE",     "\xEF\xBF\xBF", "\x1B[31m",  std::string_view("\0", 1),
    "\n  0\nEOF\n",     "<text>&amp;",  "%%c\\U+41", "弹簧钢丝",
    "\xC2\x85",         "\xEF\xBB\xBF"};

std::string GeneratedText(std::mt19937 &random) {
    std::string text;
    const int parts = std::uniform_int_distribution<int>(0, 6)(random);
    for (int i = 0; i < parts; ++i) {
        if (std::uniform_int_distribution<int>(0, 1)(random) == 0) {
            text +=
                kPieces[std::uniform_int_distribution<std::size_t>(0, kPieces.size() - 1)(random)];
        } else {
            text += static_cast<char>(std::uniform_int_distribution<int>(0, 255)(random));
        }
    }
    return text;
}

} // namespace

int main(int argc, char **argv) {
    if (argc != 2) {
        std::cerr << "usage: drawing_text_samples FOLDER\n";
        return 2;
    }
    const std::filesystem::path folder = argv[1];
    std::filesystem::create_directories(folder);
    SpringDesign design = SampleDesign();
    IgnoringListener listener;
    CalculateSpring(design, kCompressionSpring, WorkingPointMode::KnownHeights, listener);
    std::mt19937 random(20260101);
    constexpr int kSvgs = 40;
    constexpr int kDxfs = 6; // of each version: ezdxf takes about a second a file
    for (int n = 0; n < kSvgs; ++n) {
        DrawingInput input;
        input.design = design;
        input.date = "2005年06月01日";
        input.design.Material = GeneratedText(random);
        input.materialStandard = GeneratedText(random);
        TitleBlockFields &t = input.details.title;
        for (std::string *field :
             {&t.drawingNumber, &t.partName, &t.quantity, &t.company, &t.designer, &t.checker,
              &t.approver, &input.details.surfaceTreatment}) {
            *field = GeneratedText(random);
        }
        const auto write = [&](const std::string &name, bool dxf) {
            std::ofstream(folder / name, std::ios::binary) << SpringDrawingBytes(input, dxf);
        };
        write("text-" + std::to_string(n) + ".svg", false);
        if (n < kDxfs) {
            write("text-" + std::to_string(n) + "-2007.dxf", true);
            input.details.dxfVersion = DxfVersion::R2000;
            write("text-" + std::to_string(n) + "-2000.dxf", true);
        }
    }
    return 0;
}
