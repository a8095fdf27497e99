#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The length of the well-formed UTF-8 sequence at text[at] and its code
// point in code, or 0 when the bytes there are not one: a stray continuation
// byte, a lead byte without its continuation bytes, an overlong form, a
// surrogate, anything past U+10FFFF.
std::size_t Utf8SequenceAt(std::string_view text, std::size_t at, char32_t &code);

// Whether text is well-formed UTF-8.
bool IsUtf8(std::string_view text);

// The offset of the first byte that does not begin a well-formed sequence;
// text.size() when there is none.
std::size_t FirstNonUtf8Byte(std::string_view text);

// The UTF-8 bytes of one code point (a surrogate or a value past U+10FFFF
// gives U+FFFD).
std::string Utf8OfCodePoint(char32_t code);
