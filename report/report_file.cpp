#include "report_file.h"

#include "gbk_table_encoding.h"
#include "utf8_of.h"
#include "whole_file_save.h"

#include <cstdio>

namespace {

// Names the character twice: as itself and by its code, since it may not
// show (a control character, a font without it).
std::string UnencodableCause(char32_t c, const ReportInput &input) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(c));
    const std::string character = Utf8Of(c);
    std::string cause = "字符“" + character + "”(" + code + ") 不能用 GBK 编码保存, 文件未写入";
    if (input.design.Material.find(character) != std::string::npos) {
        cause += "。请修改弹簧材料中的这个字符";
    }
    return cause;
}

} // namespace

ReportWriteResult WriteReportFile(const std::string &path, const ReportInput &input,
                                  std::string_view decimalSeparator) {
    const GbkTableText gbk = EncodeGbkByTable(BuildReportText(input, decimalSeparator));
    if (!gbk.ok) {
        return {false, SaveFailureMessage(path, UnencodableCause(*gbk.unencodable, input))};
    }
    if (auto message = SaveWholeFile(path, gbk.bytes)) {
        return {false, std::move(*message)};
    }
    return {true, {}};
}
