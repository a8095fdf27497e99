#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8 text in GBK (code page 936), as the report file holds it.
struct GbkText {
    bool ok = false;
    std::string bytes;                   // the GBK bytes when ok, no byte-order mark
    std::optional<char32_t> unencodable; // the first character GBK has no code for
};

// Encodes through the platform's GBK converter (ICU under Qt); nothing is
// replaced silently: a character without a GBK code makes the result fail.
// Fails without a character when the converter itself is missing.
GbkText EncodeGbk(std::string_view utf8);
