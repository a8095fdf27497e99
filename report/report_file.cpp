#include "report_file.h"

#include "gbk_table_encoding.h"
#include "user_text.h"
#include "utf8_text.h"
#include "whole_file_save.h"

#include <cstdio>

namespace {

// Names the character twice: as itself and by its code, since it may not
// show (a control character, a font without it).
std::string UnencodableCause(char32_t c, const ReportInput &input) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    const std::string character = Utf8OfCodePoint(c);
    std::string cause = "字符“" + character + "”(" + code + ") 不能用 GBK 编码保存, 文件未写入";
    if (input.design.Material.find(character) != std::string::npos) {
        cause += "。请修改弹簧材料中的这个字符";
    }
    return cause;
}

// A control character (ESC, NUL, ...) or an invisible byte order mark would
// reach the file raw: GBK holds them as ASCII does, and a reader's screen
// obeys or hides them. The report's own line ends are CR LF.
std::optional<char32_t> FirstUnshowable(std::string_view text) {
    for (std::size_t at = 0; at < text.size();) {
        char32_t code = 0;
        const std::size_t length = Utf8SequenceAt(text, at, code);
        if (length == 0) {
            return 0xFFFD;
        }
        if ((IsControlCharacter(code) && code != '\r' && code != '\n') || code == 0xFEFF) {
            return code;
        }
        at += length;
    }
    return std::nullopt;
}

std::string UnshowableCause(char32_t c, const ReportInput &input) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    std::string cause =
        std::string("控制字符或不可见字符 (") + code + ") 不能写入计算书, 文件未写入";
    if (input.design.Material.find(Utf8OfCodePoint(c)) != std::string::npos) {
        cause += "。请修改弹簧材料中的这个字符";
    }
    return cause;
}

} // namespace

ReportWriteResult WriteReportFile(const std::string &path, const ReportInput &input,
                                  std::string_view decimalSeparator) {
    const std::string text = BuildReportText(input, decimalSeparator);
    if (const std::optional<char32_t> unshowable = FirstUnshowable(text)) {
        return {false, SaveFailureMessage(path, UnshowableCause(*unshowable, input))};
    }
    const GbkTableText gbk = EncodeGbkByTable(text);
    if (!gbk.ok) {
        return {false, SaveFailureMessage(path, UnencodableCause(*gbk.unencodable, input))};
    }
    if (auto message = SaveWholeFile(path, gbk.bytes)) {
        return {false, std::move(*message)};
    }
    return {true, {}};
}
