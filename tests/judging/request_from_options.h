#pragma once
// A design request from orsela-cli's option strings ("--name=value", or
// "--name" for a switch), stored by the same option table the CLI reads;
// and whether any of the outcome's notes says the given words.
#include "request_options.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

inline DesignRequest RequestFromOptions(const std::vector<std::string> &arguments) {
    DesignRequest request;
    for (const std::string &argument : arguments) {
        const std::size_t equals = argument.find('=');
        const RequestOption *option = FindRequestOption(argument.substr(2, equals - 2));
        EXPECT_NE(option, nullptr) << argument;
        if (option != nullptr) {
            EXPECT_FALSE(option->store(
                request, equals == std::string::npos ? "1" : argument.substr(equals + 1)))
                << argument;
        }
    }
    return request;
}

inline bool Says(const std::vector<std::string> &notes, const std::string &words) {
    return std::any_of(notes.begin(), notes.end(), [&](const std::string &note) {
        return note.find(words) != std::string::npos;
    });
}
