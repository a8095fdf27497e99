#include "font_configuration_warm_up.h"

#ifdef ORSELA_HAVE_FONTCONFIG
#include <fontconfig/fontconfig.h>
#endif

#include <system_error>

FontConfigurationWarmUp::FontConfigurationWarmUp() {
#ifdef ORSELA_HAVE_FONTCONFIG
    try {
        reader_ = std::thread([] { FcInit(); });
    } catch (const std::system_error &) {
        // No thread to spare: Qt reads the configuration itself when needed.
    }
#endif
}

FontConfigurationWarmUp::~FontConfigurationWarmUp() {
    if (reader_.joinable()) {
        reader_.join();
    }
}
