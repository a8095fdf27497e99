#include "user_text.h"

#include "utf8_text.h"

#include <algorithm>
#include <cstdio>

namespace {

std::string Formatted(const char *format, unsigned value) {
    char buffer[24];
    std::snprintf(buffer, sizeof buffer, format, value);
    return buffer;
}

} // namespace

bool IsControlCharacter(char32_t code) {
    return code < 0x20 || (code >= 0x7F && code <= 0x9F);
}

std::optional<std::string> NonUtf8Problem(std::string_view text) {
    const std::size_t at = FirstNonUtf8Byte(text);
    if (at == text.size()) {
        return std::nullopt;
    }
    return "第 " + std::to_string(at + 1) + " 个字节" +
           Formatted(" 0x%02X", static_cast<unsigned char>(text[at])) +
           " 不是 UTF-8 文本 (GBK 等编码的文字请先转为 UTF-8)";
}

std::optional<std::string> OneLineTextProblem(std::string_view text) {
    if (auto problem = NonUtf8Problem(text)) {
        return problem;
    }
    for (std::size_t at = 0; at < text.size();) {
        char32_t code = 0;
        at += Utf8SequenceAt(text, at, code);
        if (code == '\r' || code == '\n' || code == '\t') {
            return std::string("不能包含换行符或制表符");
        }
        if (IsControlCharacter(code)) {
            return "不能包含控制字符" + Formatted(" (U+%04X)", static_cast<unsigned>(code));
        }
        if (code == 0xFFFE || code == 0xFFFF) {
            return "不能包含非字符" + Formatted(" U+%04X", static_cast<unsigned>(code));
        }
    }
    return std::nullopt;
}

std::string QuotedForMessage(std::string_view text) {
    constexpr std::size_t kLongest = 60;
    std::size_t end = 0;
    while (end < text.size()) {
        char32_t code = 0;
        const std::size_t length = std::max<std::size_t>(Utf8SequenceAt(text, end, code), 1);
        if (end + length > kLongest) {
            return "“" + std::string(text.substr(0, end)) + "…”";
        }
        end += length;
    }
    return "“" + std::string(text) + "”";
}
