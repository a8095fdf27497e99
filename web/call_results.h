#pragma once

#include <emscripten/val.h>

#include <string>

// What the page's calls hand to its script.

// What orsela-cli would print for a call: its exit status, standard output
// and standard error.
inline emscripten::val Printed(int exitStatus, const std::string &out, const std::string &err) {
    emscripten::val result = emscripten::val::object();
    result.set("exitStatus", exitStatus);
    result.set("out", out);
    result.set("err", err);
    return result;
}

// {ok: false, message}: why there is no report, drawing or file.
inline emscripten::val Failure(const std::string &message) {
    emscripten::val result = emscripten::val::object();
    result.set("ok", false);
    result.set("message", message);
    return result;
}

// {ok: true, key: value}.
inline emscripten::val Success(const std::string &key, const emscripten::val &value) {
    emscripten::val result = emscripten::val::object();
    result.set("ok", true);
    result.set(key, value);
    return result;
}

// A file's bytes as a Uint8Array of the script's own.
inline emscripten::val Bytes(const std::string &bytes) {
    return emscripten::val(emscripten::typed_memory_view(
                               bytes.size(), reinterpret_cast<const unsigned char *>(bytes.data())))
        .call<emscripten::val>("slice");
}
