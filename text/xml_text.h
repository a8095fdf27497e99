#pragma once

#include <string>
#include <string_view>

// Text made safe for XML (an SVG drawing, the HTML report, which is also
// well-formed XML): the markup characters become character references, and
// what XML cannot hold or a reader would not show (bytes that are not UTF-8,
// control characters other than tab and line feed, the non-characters
// U+FFFE and U+FFFF) becomes U+FFFD, so a pasted text can neither break the
// document nor inject markup.
std::string EscapeXml(std::string_view text);
