#pragma once

#include <optional>
#include <string>
#include <string_view>

// UTF-8 text in GBK through the generated table: the bytes the desktop's
// converter writes. Nothing is replaced silently.
struct GbkTableText {
    bool ok = false;
    std::string bytes;                   // when ok
    std::optional<char32_t> unencodable; // else the first character without a code
};

GbkTableText EncodeGbkByTable(std::string_view utf8);
