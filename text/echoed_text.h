#pragma once

#include <string>
#include <string_view>

// What a user typed, as a message repeats it: at most `characters` UTF-8
// characters, a longer text cut there and followed by how long it was
// ("…(共 900000 个字符)"), so that a message stays readable whatever was typed.
inline constexpr std::size_t kEchoedCharacters = 60;
std::string EchoedText(std::string_view text, std::size_t characters = kEchoedCharacters);

// Whether the text has more characters than a message repeats.
bool LongerThanEchoed(std::string_view text, std::size_t characters = kEchoedCharacters);
