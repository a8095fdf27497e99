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
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const std::size_t length = Utf8SequenceAt(text, i, code);
        if (length == 0) {
            out += kReplacement;
            ++i;
            continue;
        }
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
            out.append(text.substr(i, length));
        }
        i += length;
    }
    return out;
}
