#include "xml_text.h"

#include "utf8_text.h"

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD"; // U+FFFD

bool XmlAllows(char32_t code) {
    if (code < 0x20) {
        return code == '\t' || code == '\n';
    }
    return !(code >= 0x7F && code <= 0x9F) && code != 0xFFFE && code != 0xFFFF;
}

} // namespace

std::string EscapeXml(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    ForEachCharacter(text, [&out](char32_t code, std::string_view bytes) {
        if (!XmlAllows(code)) {
            out += kReplacement;
        } else if (code == '&') {
            out += "&amp;";
        } else if (code == '<') {
            out += "&lt;";
        } else if (code == '>') {
            out += "&gt;";
        } else if (code == '"') {
            out += "&quot;";
        } else if (code == '\'') {
            out += "&#39;";
        } else {
            out += bytes;
        }
    });
    return out;
}
