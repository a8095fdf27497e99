#pragma once

#include <string>

// Why a file could not be read, in Chinese, for an errno value: the common
// causes in words of their own, any other as "读取失败" with the system's
// English words after it in brackets.
std::string ReadErrorText(int error);
