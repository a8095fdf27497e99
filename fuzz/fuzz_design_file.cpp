// Any bytes as a design file: no crash; a file that is read is written and
// read back as the same request, and writes the same text again.
#include "design_file.h"
#include "fuzz_check.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    const DesignFileRead read = ReadDesignText(text, "fuzz.json");
    FUZZ_CHECK(read.request.has_value() != !read.error.empty());
    if (!read.request) {
        FUZZ_CHECK(read.error.find("设计文件“fuzz.json”") == 0);
        return 0;
    }
    const std::string written = DesignFileText(*read.request);
    const DesignFileRead again = ReadDesignText(written, "fuzz.json");
    FUZZ_CHECK(again.request.has_value());
    FUZZ_CHECK(*again.request == *read.request);
    FUZZ_CHECK(DesignFileText(*again.request) == written);
    return 0;
}
