#pragma once

#include <string>
#include <string_view>

// Text made safe for the report's HTML, which is also well-formed XML: the
// markup characters become character references, and what XML cannot hold
// (invalid UTF-8, control characters other than tab and line feed, the
// non-characters U+FFFE and U+FFFF) becomes U+FFFD, so a pasted material
// text can neither break the page nor inject markup.
std::string EscapeHtml(std::string_view text);
