#pragma once

#include <string>

// While one of these lives (POSIX; on Windows, Ctrl-C, Ctrl-Break, the
// console's closing and an abort), SIGINT, SIGTERM, SIGHUP and SIGQUIT first remove
// its file and then stop the program by their default action: for a
// temporary file that must not outlive an interrupted run. So does SIGABRT,
// where an error nobody caught ends the program. A signal the program
// ignored before the first one was made stays ignored (nohup).
//
// Several may live at once, on any thread: each takes a slot of a fixed
// table that the handler reads without allocating. Make one before the file
// exists, so that no moment is left in which a signal finds a file it does
// not know of; removing a file that is not (or no longer) there is harmless.
// The handlers from before come back when the last one goes.
class RemovalOnSignal {
  public:
    explicit RemovalOnSignal(const std::string &path);
    ~RemovalOnSignal();
    RemovalOnSignal(const RemovalOnSignal &) = delete;
    RemovalOnSignal &operator=(const RemovalOnSignal &) = delete;

    // False when the table was full or the path too long: the file is then
    // not removed on a signal.
    bool armed() const { return slot_ >= 0; }

  private:
    int slot_ = -1;
};
