#include "progress_line.h"

#include "platform_files.h"

#include <iostream>
#include <unistd.h>

ProgressLine::ProgressLine(std::ostream &err)
    : err_(err), onTerminal_(&err == &std::cerr && IsTerminal(STDERR_FILENO)),
      start_(std::chrono::steady_clock::now()), last_(start_) {}

ProgressLine::~ProgressLine() {
    clear();
}

bool ProgressLine::due() {
    if (!onTerminal_) {
        return false;
    }
    const auto now = std::chrono::steady_clock::now();
    if (now - start_ < std::chrono::seconds(1) ||
        (shown_ && now - last_ < std::chrono::milliseconds(200))) {
        return false;
    }
    last_ = now;
    return true;
}

void ProgressLine::show(const std::string &text) {
    shown_ = true;
    err_ << '\r' << text << "\x1b[K" << std::flush;
}

void ProgressLine::clear() {
    if (shown_) {
        err_ << "\r\x1b[K" << std::flush;
        shown_ = false;
    }
}
