#pragma once

#include <string>
#include <string_view>

// The columns a UTF-8 text takes in a terminal: two for a wide East Asian
// character (Chinese, full-width forms), one for anything else.
std::size_t DisplayWidth(std::string_view text);

// The text followed by spaces up to `width` columns (left-aligned), or
// preceded by them (right-aligned); as it is when already wider.
std::string PadRight(std::string_view text, std::size_t width);
std::string PadLeft(std::string_view text, std::size_t width);
