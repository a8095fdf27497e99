#include "removal_on_signal.h"

#include <climits>
#include <cstring>
#include <unistd.h>

namespace {

// What the handler reads: a fixed buffer, as a handler may not allocate.
char gPath[PATH_MAX];
volatile std::sig_atomic_t gArmed = 0;

extern "C" void RemoveAndStop(int signal) {
    if (gArmed != 0) {
        ::unlink(gPath);
    }
    // SA_RESETHAND has put the default action back: it happens on return.
    ::raise(signal);
}

} // namespace

RemovalOnSignal::RemovalOnSignal(const std::string &path) {
    if (path.empty() || path.size() >= sizeof gPath) {
        return;
    }
    std::memcpy(gPath, path.c_str(), path.size() + 1);
    gArmed = 1;
    struct sigaction action {};
    action.sa_handler = RemoveAndStop;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int signal : kSignals) {
        sigaddset(&action.sa_mask, signal); // one removal at a time
    }
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (::sigaction(kSignals[i], nullptr, &previous_[i]) != 0 ||
            previous_[i].sa_handler == SIG_IGN) {
            continue;
        }
        installed_[i] = ::sigaction(kSignals[i], &action, nullptr) == 0;
    }
}

RemovalOnSignal::~RemovalOnSignal() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (installed_[i]) {
            ::sigaction(kSignals[i], &previous_[i], nullptr);
        }
    }
    gArmed = 0;
}
