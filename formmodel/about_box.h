#pragma once

#include <span>
#include <string>

// The About box: its title and its nine lines, joined by CR LF in the box.
const char *AboutBoxTitle();
std::span<const char *const> AboutBoxLines();
std::string AboutBoxText();
