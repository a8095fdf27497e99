#pragma once

#include <emscripten/val.h>

#include <string>

// What orsela-cli would print for a call: its exit status, standard output
// and standard error, as the page's script reads them.
inline emscripten::val Printed(int exitStatus, const std::string &out, const std::string &err) {
    emscripten::val result = emscripten::val::object();
    result.set("exitStatus", exitStatus);
    result.set("out", out);
    result.set("err", err);
    return result;
}
