#pragma once

#include "design_request.h"
#include "request_options.h"

#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// A design file: one design request as UTF-8 JSON, {"format": "orsela-design/1",
// "<option>": value, ...}, keyed by the options' names without "--". Numbers
// are kept as the texts typed, so the file gives the same field checks and
// the same decimals as the window; switches are true or false.

inline constexpr const char *kDesignFileFormat = "orsela-design/1";

// The file's text: every switch and choice, and each value that was given.
std::string DesignFileText(const DesignRequest &request);

// A request read from a design file, or why the file is refused: a Chinese
// message naming the file (as `fileName` shows it) and the line and column
// or the key.
struct DesignFileRead {
    std::optional<DesignRequest> request;
    std::string error;
    bool optionRefused = false; // the error is an override's ("--name: ..."), not the file's
};

// Options given beside a file, in the order given; they override its keys.
using OptionOverrides = std::vector<std::pair<const RequestOption *, std::string>>;

// Reads the text of a file over `base` (the defaults, or a request the file
// completes), then the overrides over it: not JSON, a NUL byte, a key given
// twice, another format or a newer version, an unknown key, a value of the
// wrong type, and a value the file still gives that judging would refuse (a
// field text the window refuses, a check input outside its range) are errors
// naming the file and the key. A bad key an override replaces is no error.
DesignFileRead ReadDesignText(std::string_view text, const std::string &fileName,
                              const DesignRequest &base = DesignRequest(),
                              const OptionOverrides &overrides = {});

// The same from a file on disk; refuses what is not a regular file, or is
// larger than any design file could be.
DesignFileRead ReadDesignFile(const std::string &path, const DesignRequest &base = DesignRequest(),
                              const OptionOverrides &overrides = {});
