#pragma once

#include <string>

// Why a file could not be read or written, in Chinese, for an errno value:
// the common causes in words of their own, any other as "读取失败" or
// "写入失败" with the system's words after it in brackets.
std::string ReadErrorText(int error);
std::string WriteErrorText(int error);
