#include "json_value_lines.h"

#include <string>
#include <vector>

namespace {

// Where the scan stands in a container: the key or index of the next value.
struct Level {
    bool object = false;
    bool awaitingKey = false;
    std::string key;
    std::size_t index = 0;
};

// The JSON pointer of the value the levels lead to ("/materials/3/name").
std::string PointerOf(const std::vector<Level> &levels) {
    std::string pointer;
    for (const Level &level : levels) {
        pointer += '/';
        if (!level.object) {
            pointer += std::to_string(level.index);
            continue;
        }
        for (const char c : level.key) {
            pointer += c == '~' ? "~0" : c == '/' ? "~1" : std::string(1, c);
        }
    }
    return pointer;
}

} // namespace

std::unordered_map<const nlohmann::json *, std::size_t> JsonValueLines(std::string_view text,
                                                                       const nlohmann::json &root) {
    std::unordered_map<const nlohmann::json *, std::size_t> lines;
    std::vector<Level> levels;
    std::size_t line = 1;
    const auto record = [&] {
        try {
            const nlohmann::json &node = root.at(nlohmann::json::json_pointer(PointerOf(levels)));
            lines.emplace(&node, line);
        } catch (const nlohmann::json::exception &) {
            // A key written with escapes is not its pointer: its line stays unknown.
        }
    };
    // The text parsed already: only the structure is followed here.
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\n') {
            ++line;
        } else if (c == '{' || c == '[') {
            record();
            levels.push_back({c == '{', c == '{', {}, 0});
        } else if (c == '}' || c == ']') {
            if (!levels.empty()) {
                levels.pop_back();
            }
        } else if (c == ',') {
            if (!levels.empty()) {
                levels.back().awaitingKey = levels.back().object;
                ++levels.back().index;
            }
        } else if (c == '"') {
            const std::size_t start = i + 1;
            for (++i; i < text.size() && text[i] != '"'; ++i) {
                i += text[i] == '\\' ? 1 : 0;
            }
            if (!levels.empty() && levels.back().awaitingKey) {
                levels.back().key = std::string(text.substr(start, i - start));
                levels.back().awaitingKey = false;
            } else {
                record();
            }
        } else if (c == '-' || (c >= '0' && c <= '9') || c == 't' || c == 'f' || c == 'n') {
            record();
            while (i + 1 < text.size() && text[i + 1] != ',' && text[i + 1] != '}' &&
                   text[i + 1] != ']' && text[i + 1] != '\n' && text[i + 1] != ' ' &&
                   text[i + 1] != '\r' && text[i + 1] != '\t') {
                ++i;
            }
        }
    }
    return lines;
}
