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

// Calls each(code, bytes) for every character of text in order. A byte that
// does not begin a well-formed sequence comes as U+FFFD, with that
// character's own bytes, so that what is written shows where it was.
template <typename Each> void ForEachCharacter(std::string_view text, Each &&each) {
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = 0;
        const std::size_t length = Utf8SequenceAt(text, i, code);
        if (length == 0) {
            each(char32_t{0xFFFD}, std::string_view("\xEF\xBF\xBD"));
            ++i;
            continue;
        }
        each(code, text.substr(i, length));
        i += length;
    }
}
