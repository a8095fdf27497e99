#pragma once

#include <optional>
#include <string>
#include <string_view>

// Why a one-line text a user gave (a material, a title block's value, a
// grade name) cannot be taken, in Chinese, or nothing. Refused: bytes that
// are not UTF-8 (a name typed in a GBK terminal), the control characters
// (C0, DEL, C1: line breaks and tabs included) and the non-characters
// U+FFFE and U+FFFF, none of which a report, a drawing or a terminal can
// show as typed.
std::optional<std::string> OneLineTextProblem(std::string_view text);

// Why a text is not UTF-8 ("第 N 个字节 0xHH 不是 UTF-8 …"), or nothing.
std::optional<std::string> NonUtf8Problem(std::string_view text);

// Whether a code point is a control character: C0, DEL or C1.
bool IsControlCharacter(char32_t code);

// A user's text quoted for a message, “…”, cut after 60 bytes (never inside
// a character) with "…" when longer; the caller's printing escapes what a
// terminal would obey.
std::string QuotedForMessage(std::string_view text);
