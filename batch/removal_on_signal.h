#pragma once

#include <array>
#include <csignal>
#include <string>

// While one of these lives, SIGINT, SIGTERM, SIGHUP and SIGQUIT first remove
// its file and then stop the program by their default action: for a
// temporary file that must not outlive an interrupted run. So does SIGABRT,
// where an error nobody caught ends the program. A signal the
// program ignored when this was made stays ignored (nohup). One at a time;
// the handlers from before come back when it goes.
class RemovalOnSignal {
  public:
    explicit RemovalOnSignal(const std::string &path);
    ~RemovalOnSignal();
    RemovalOnSignal(const RemovalOnSignal &) = delete;
    RemovalOnSignal &operator=(const RemovalOnSignal &) = delete;

    static constexpr std::array<int, 5> kSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT};

  private:
    std::array<struct sigaction, kSignals.size()> previous_{};
    std::array<bool, kSignals.size()> installed_{};
};
