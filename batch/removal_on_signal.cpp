#include "removal_on_signal.h"

#include <array>
#include <atomic>
#include <climits>
#include <csignal>
#include <cstring>
#include <mutex>
#include <unistd.h>

namespace {

constexpr std::array<int, 5> kSignals = {SIGINT, SIGTERM, SIGHUP, SIGQUIT, SIGABRT};

// What the handler reads: fixed buffers, as a handler may not allocate.
constexpr std::size_t kSlots = 16;
struct Slot {
    char path[PATH_MAX];
    volatile std::sig_atomic_t armed;
};
Slot gSlots[kSlots];

// Taking and giving back slots, and the handlers; never used by the handler.
std::mutex gTableLock;
std::size_t gArmedCount = 0;
std::array<struct sigaction, kSignals.size()> gPrevious{};
std::array<bool, kSignals.size()> gInstalled{};

extern "C" void RemoveAndStop(int signal) {
    for (Slot &slot : gSlots) {
        if (slot.armed != 0) {
            ::unlink(slot.path);
        }
    }
    // SA_RESETHAND has put the default action back: it happens on return.
    ::raise(signal);
}

void InstallHandlers() {
    struct sigaction action {};
    action.sa_handler = RemoveAndStop;
    action.sa_flags = SA_RESETHAND;
    sigemptyset(&action.sa_mask);
    for (const int signal : kSignals) {
        sigaddset(&action.sa_mask, signal); // one removal at a time
    }
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        const int signal = kSignals[i];
        gInstalled[i] = false;
        if (::sigaction(signal, nullptr, &gPrevious[i]) != 0 ||
            gPrevious[i].sa_handler == SIG_IGN) {
            continue;
        }
        gInstalled[i] = ::sigaction(signal, &action, nullptr) == 0;
    }
}

void RestoreHandlers() {
    for (std::size_t i = 0; i < kSignals.size(); ++i) {
        if (gInstalled[i]) {
            ::sigaction(kSignals[i], &gPrevious[i], nullptr);
            gInstalled[i] = false;
        }
    }
}

} // namespace

RemovalOnSignal::RemovalOnSignal(const std::string &path) {
    if (path.empty() || path.size() >= PATH_MAX) {
        return;
    }
    const std::lock_guard lock(gTableLock);
    for (std::size_t i = 0; i < kSlots; ++i) {
        if (gSlots[i].armed == 0) {
            std::memcpy(gSlots[i].path, path.c_str(), path.size() + 1);
            std::atomic_signal_fence(std::memory_order_seq_cst); // the path before the flag
            gSlots[i].armed = 1;
            slot_ = static_cast<int>(i);
            break;
        }
    }
    if (slot_ >= 0 && gArmedCount++ == 0) {
        InstallHandlers();
    }
}

RemovalOnSignal::~RemovalOnSignal() {
    if (slot_ < 0) {
        return;
    }
    const std::lock_guard lock(gTableLock);
    gSlots[slot_].armed = 0;
    if (--gArmedCount == 0) {
        RestoreHandlers();
    }
}
