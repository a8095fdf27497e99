#pragma once

#include <thread>

// Reads the system's font configuration on a thread of its own while the
// program connects to the display, which takes about as long: the window's
// first text needs it, and fontconfig does the same work only once per
// process whichever thread asks first. Where the program has no fontconfig
// (Windows), nothing is done. The thread is joined when this goes.
class FontConfigurationWarmUp {
  public:
    FontConfigurationWarmUp();
    ~FontConfigurationWarmUp();
    FontConfigurationWarmUp(const FontConfigurationWarmUp &) = delete;
    FontConfigurationWarmUp &operator=(const FontConfigurationWarmUp &) = delete;

  private:
    std::thread reader_;
};
