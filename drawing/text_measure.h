#pragma once

#include <string>
#include <string_view>
#include <vector>

// The width of a line of text in the GB fonts, estimated: a Chinese
// character (and every other wide one) is square, a Latin letter or digit
// about 0.7 of the text height.
double TextWidth(std::string_view text, double height);

// Breaks text into lines no wider than maxWidth: between Chinese characters
// (which have no spaces to break at) and at spaces, inside a Latin word or a
// number only when it is wider than a line; a line never starts with "，" or
// "。". A space where a line breaks is dropped.
std::vector<std::string> WrapText(std::string_view text, double height, double maxWidth);
