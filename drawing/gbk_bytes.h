#pragma once

#include <optional>
#include <string>
#include <string_view>

// The GBK bytes of UTF-8 text, or nothing when a character has no GBK code.
// Each platform gives its own: the desktop's converter, the page's table of
// the same bytes.
std::optional<std::string> GbkBytesOf(std::string_view utf8);
