#pragma once

#include <chrono>
#include <iosfwd>
#include <string>

// A line on stderr that says how far a long run has come: only when stderr
// is the program's own terminal, only once the run has taken a second, at
// most five times a second; cleared when the run ends.
class ProgressLine {
  public:
    explicit ProgressLine(std::ostream &err);
    ~ProgressLine();
    ProgressLine(const ProgressLine &) = delete;
    ProgressLine &operator=(const ProgressLine &) = delete;

    // Whether a new line is to be shown now; ask before making its text.
    bool due();
    void show(const std::string &text);
    // Takes the line away (also when this goes).
    void clear();

  private:
    std::ostream &err_;
    bool onTerminal_;
    bool shown_ = false;
    std::chrono::steady_clock::time_point start_;
    std::chrono::steady_clock::time_point last_;
};
