#include "echoed_text.h"

namespace {

bool IsLeadByte(char c) {
    return (static_cast<unsigned char>(c) & 0xC0) != 0x80;
}

// The byte where the character after `characters` whole ones starts; npos
// when the text is not that long.
std::size_t CutAt(std::string_view text, std::size_t characters) {
    std::size_t seen = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (IsLeadByte(text[i]) && seen++ == characters) {
            return i;
        }
    }
    return std::string_view::npos;
}

std::size_t CharacterCount(std::string_view text) {
    std::size_t count = 0;
    for (const char c : text) {
        count += IsLeadByte(c) ? 1 : 0;
    }
    return count;
}

} // namespace

bool LongerThanEchoed(std::string_view text, std::size_t characters) {
    return CutAt(text, characters) != std::string_view::npos;
}

std::string EchoedText(std::string_view text, std::size_t characters) {
    const std::size_t cut = CutAt(text, characters);
    if (cut == std::string_view::npos) {
        return std::string(text);
    }
    return std::string(text.substr(0, cut)) + "…(共 " + std::to_string(CharacterCount(text)) +
           " 个字符)";
}
