#include "removal_on_signal.h"

#include <csignal>
#include <cstring>
#include <mutex>
#include <windows.h>

// Windows: Ctrl-C, Ctrl-Break and the console's closing reach a handler on a
// thread of its own (SetConsoleCtrlHandler), which removes the files and
// then lets the default handler end the program; an abort comes as SIGABRT.
// The temporary files are opened sharing deletion, so they can go while open.

namespace {

constexpr std::size_t kSlots = 16;
constexpr std::size_t kLongestPath = 32768;
struct Slot {
    wchar_t path[kLongestPath];
    volatile LONG armed;
};
Slot gSlots[kSlots];

std::mutex gTableLock;
std::size_t gArmedCount = 0;
void (*gPreviousAbort)(int) = SIG_DFL;

void RemoveArmed() {
    for (Slot &slot : gSlots) {
        if (slot.armed != 0) {
            ::DeleteFileW(slot.path);
        }
    }
}

BOOL WINAPI RemoveOnControl(DWORD) {
    RemoveArmed();
    return FALSE; // the default handler ends the program
}

extern "C" void RemoveOnAbort(int signal) {
    RemoveArmed();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

RemovalOnSignal::RemovalOnSignal(const std::string &path) {
    const int size = static_cast<int>(path.size());
    const int length =
        path.empty() ? 0 : ::MultiByteToWideChar(CP_UTF8, 0, path.data(), size, nullptr, 0);
    if (length <= 0 || static_cast<std::size_t>(length) >= kLongestPath) {
        return;
    }
    const std::lock_guard lock(gTableLock);
    for (std::size_t i = 0; i < kSlots; ++i) {
        if (gSlots[i].armed == 0) {
            ::MultiByteToWideChar(CP_UTF8, 0, path.data(), size, gSlots[i].path, length);
            gSlots[i].path[length] = L'\0';
            ::InterlockedExchange(&gSlots[i].armed, 1); // the path before the flag
            slot_ = static_cast<int>(i);
            break;
        }
    }
    if (slot_ >= 0 && gArmedCount++ == 0) {
        ::SetConsoleCtrlHandler(RemoveOnControl, TRUE);
        gPreviousAbort = std::signal(SIGABRT, RemoveOnAbort);
    }
}

RemovalOnSignal::~RemovalOnSignal() {
    if (slot_ < 0) {
        return;
    }
    const std::lock_guard lock(gTableLock);
    ::InterlockedExchange(&gSlots[slot_].armed, 0);
    if (--gArmedCount == 0) {
        ::SetConsoleCtrlHandler(RemoveOnControl, FALSE);
        std::signal(SIGABRT, gPreviousAbort == SIG_ERR ? SIG_DFL : gPreviousAbort);
    }
}
