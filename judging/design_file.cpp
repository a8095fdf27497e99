#include "design_file.h"

#include "design_options.h"
#include "echoed_text.h"
#include "field_check.h"
#include "option_ranges.h"
#include "outcome_json.h"
#include "request_options.h"
#include "system_error_text.h"
#include "user_text.h"
#include "utf8_text.h"

#include <fmt/format.h>
#include <nlohmann/json.hpp>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <sys/stat.h>

namespace {

using Json = nlohmann::ordered_json;

constexpr const char *kFormatPrefix = "orsela-design/";
constexpr int kNewestVersion = 1;
// A design file holds a few dozen short texts; anything larger is not one.
constexpr std::size_t kLargestDesignFile = 1U << 20;

std::string Where(const std::string &fileName) {
    return "设计文件“" + fileName + "”";
}

// Line and column (from 1) of the byte at `offset`, counting characters.
std::pair<std::size_t, std::size_t> LineAndColumn(std::string_view text, std::size_t offset) {
    std::size_t line = 1;
    std::size_t column = 1;
    for (std::size_t i = 0; i < offset && i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c == '\n') {
            ++line;
            column = 1;
        } else if ((c & 0xC0) != 0x80) {
            ++column;
        }
    }
    return {line, column};
}

// The version of "orsela-design/N", or nothing for another format.
std::optional<int> FormatVersion(const std::string &format) {
    if (!format.starts_with(kFormatPrefix)) {
        return std::nullopt;
    }
    const std::string digits = format.substr(std::strlen(kFormatPrefix));
    if (digits.empty() || digits.size() > 6 ||
        !std::all_of(digits.begin(), digits.end(), [](char c) { return c >= '0' && c <= '9'; })) {
        return std::nullopt;
    }
    return std::stoi(digits);
}

// The closest option name, for a misspelt key; empty when none is close.
std::string ClosestKey(const std::string &key) {
    std::string best;
    std::size_t bestDistance = 4; // more edits than this is another word
    for (const RequestOptionGroup *group : RequestOptionGroups()) {
        for (const RequestOption &option : *group) {
            const std::string &name = option.name;
            std::vector<std::size_t> row(name.size() + 1);
            for (std::size_t j = 0; j <= name.size(); ++j) {
                row[j] = j;
            }
            for (std::size_t i = 1; i <= key.size(); ++i) {
                std::size_t diagonal = row[0];
                row[0] = i;
                for (std::size_t j = 1; j <= name.size(); ++j) {
                    const std::size_t above = row[j];
                    row[j] = std::min({row[j] + 1, row[j - 1] + 1,
                                       diagonal + (key[i - 1] == name[j - 1] ? 0 : 1)});
                    diagonal = above;
                }
            }
            if (row[name.size()] < bestDistance) {
                bestDistance = row[name.size()];
                best = name;
            }
        }
    }
    return best;
}

// The design field an option gives, if it gives one.
std::optional<std::size_t> NumericFieldOf(const RequestOption &option) {
    for (std::size_t i = 0; i < kNumericFields.size(); ++i) {
        if (option.name == NumericOptionName(i)) {
            return i;
        }
    }
    return std::nullopt;
}

// Why the value an option holds in the request is refused, as judging the
// design would refuse it: a number field as the window's exit check takes
// it, a check input or requirement outside its physical range.
std::optional<std::string> RefusedValue(const RequestOption &option, const DesignRequest &request) {
    const std::optional<std::string> text = option.text(request);
    if (!text || option.isFlag()) {
        return std::nullopt;
    }
    if (const auto field = NumericFieldOf(option)) {
        const FieldCheck check = CheckFieldText(kNumericFields[*field], *text);
        return check.verdict == FieldVerdict::Accepted ? std::nullopt
                                                       : std::optional(check.message);
    }
    if (const OptionRange *range = FindOptionRange(option.name)) {
        std::string refused;
        if (!RangedNumber(*range, *text, refused)) {
            const std::string prefix = "--" + option.name + ": ";
            return refused.starts_with(prefix) ? refused.substr(prefix.size()) : refused;
        }
    }
    return std::nullopt;
}

// Parses the file, refusing a key given twice in one object (JSON keeps only
// one of them, silently).
Json ParseRefusingDuplicateKeys(std::string_view text, std::string &duplicate) {
    std::vector<std::vector<std::string>> keys;
    const Json::parser_callback_t callback = [&keys, &duplicate](int, Json::parse_event_t event,
                                                                 Json &parsed) {
        if (event == Json::parse_event_t::object_start) {
            keys.emplace_back();
        } else if (event == Json::parse_event_t::object_end && !keys.empty()) {
            keys.pop_back();
        } else if (event == Json::parse_event_t::key && !keys.empty()) {
            const std::string key = parsed.get<std::string>();
            auto &seen = keys.back();
            if (std::find(seen.begin(), seen.end(), key) != seen.end() && duplicate.empty()) {
                duplicate = key;
            }
            seen.push_back(key);
        }
        return true;
    };
    return Json::parse(text.begin(), text.end(), callback);
}

// Whether a key holds a number: a field of the design, a check input or a
// requirement with a range of its own.
bool IsNumberKey(const RequestOption &option) {
    return NumericFieldOf(option) || FindOptionRange(option.name) != nullptr;
}

// A JSON number as its shortest text, which reads back as the same number.
std::string NumberText(const Json &value) {
    if (value.is_number_unsigned()) {
        return std::to_string(value.get<std::uint64_t>());
    }
    if (value.is_number_integer()) {
        return std::to_string(value.get<std::int64_t>());
    }
    return fmt::format("{}", value.get<double>());
}

// Bytes that are not UTF-8 (a file saved in GBK), named by line and column
// before the JSON parser would call them a syntax error.
std::optional<std::string> NonUtf8Place(std::string_view text, const std::string &fileName) {
    const std::size_t at = FirstNonUtf8Byte(text);
    if (at == text.size()) {
        return std::nullopt;
    }
    const auto [line, column] = LineAndColumn(text, at);
    // The problem of that one byte: "第 1 个字节 0x.. 不是 UTF-8 文本 …" without its place.
    const std::string problem = *NonUtf8Problem(text.substr(at, 1));
    return Where(fileName) + " 第 " + std::to_string(line) + " 行第 " + std::to_string(column) +
           " 列: 字节 " + problem.substr(problem.find("0x"));
}

std::optional<std::string> StoreKey(DesignRequest &request, const std::string &key,
                                    const Json &value) {
    const RequestOption *option = FindRequestOption(key);
    if (option == nullptr) {
        const std::string closest = LongerThanEchoed(key, 40) ? "" : ClosestKey(key);
        return "未知的键“" + EchoedText(key) + "”" +
               (closest.empty() ? "" : " (是不是“" + closest + "”?)");
    }
    if (option->isFlag()) {
        if (!value.is_boolean()) {
            return "键“" + key + "”的值应为 true 或 false";
        }
        option->store(request, value.get<bool>() ? "1" : "");
        return std::nullopt;
    }
    std::string text;
    if (value.is_number() && IsNumberKey(*option)) {
        text = NumberText(value); // as if typed
    } else if (value.is_string()) {
        text = value.get<std::string>();
    } else {
        return "键“" + key + "”的值应为文本" +
               (IsNumberKey(*option) ? std::string("或数值 (如 \"4\" 或 4)") : std::string());
    }
    if (auto refused = option->store(request, text)) {
        return "键“" + key + "”: " + *refused;
    }
    return std::nullopt;
}

} // namespace

std::string DesignFileText(const DesignRequest &request) {
    Json json;
    json["format"] = kDesignFileFormat;
    for (const RequestOptionGroup *group : RequestOptionGroups()) {
        for (const RequestOption &option : *group) {
            const std::optional<std::string> text = option.text(request);
            if (!text) {
                continue;
            }
            if (option.isFlag()) {
                json[option.name] = !text->empty();
            } else {
                json[option.name] = *text;
            }
        }
    }
    return DumpJson(json, 2) + "\n";
}

DesignFileRead ReadDesignText(std::string_view text, const std::string &fileName,
                              const DesignRequest &base, const OptionOverrides &overrides) {
    DesignFileRead read;
    if (const std::size_t nul = text.find('\0'); nul != std::string_view::npos) {
        const auto [line, column] = LineAndColumn(text, nul);
        read.error = Where(fileName) + " 第 " + std::to_string(line) + " 行第 " +
                     std::to_string(column) + " 列: 含有空字符 (NUL), 不是文本文件";
        return read;
    }
    if (auto problem = NonUtf8Place(text, fileName)) {
        read.error = *problem;
        return read;
    }
    Json json;
    std::string duplicate;
    try {
        json = ParseRefusingDuplicateKeys(text, duplicate);
    } catch (const Json::parse_error &e) {
        const auto [line, column] = LineAndColumn(text, e.byte == 0 ? 0 : e.byte - 1);
        read.error = Where(fileName) + " 第 " + std::to_string(line) + " 行第 " +
                     std::to_string(column) + " 列: 不是有效的 JSON";
        return read;
    } catch (const Json::exception &) {
        read.error = Where(fileName) + ": 不是有效的 JSON (数值超出范围)";
        return read;
    }
    if (!duplicate.empty()) {
        read.error = Where(fileName) + ": 键“" + EchoedText(duplicate) + "”出现了不止一次";
        return read;
    }
    if (!json.is_object()) {
        read.error = Where(fileName) + ": 不是设计文件 (应为一个 JSON 对象)";
        return read;
    }
    const auto format = json.find("format");
    if (format == json.end() || !format->is_string()) {
        read.error =
            Where(fileName) + ": 不是设计文件 (缺少 \"format\": \"" + kDesignFileFormat + "\")";
        return read;
    }
    const std::optional<int> version = FormatVersion(format->get<std::string>());
    if (!version || *version < 1) {
        read.error = Where(fileName) + ": 不是设计文件 (格式为“" +
                     EchoedText(format->get<std::string>()) + "”, 应为“" + kDesignFileFormat + "”)";
        return read;
    }
    if (*version > kNewestVersion) {
        read.error = Where(fileName) + ": 由较新版本的程序写成 (格式 " +
                     format->get<std::string>() + "), 本程序只能读 " + kDesignFileFormat;
        return read;
    }
    // Version 1 is the newest: a later version adds its migration step here,
    // so that every older file still opens.
    DesignRequest request = base;
    std::vector<const RequestOption *> fromFile;
    for (const auto &[key, value] : json.items()) {
        if (key == "format") {
            continue;
        }
        if (auto refused = StoreKey(request, key, value)) {
            read.error = Where(fileName) + ": " + *refused;
            return read;
        }
        fromFile.push_back(FindRequestOption(key));
    }
    // The options beside the file override its keys; what they store is
    // checked when the design is judged, as any option is.
    for (const auto &[option, optionText] : overrides) {
        if (auto refused = option->store(request, optionText)) {
            read.error = "--" + option->name + ": " + *refused;
            read.optionRefused = true;
            return read;
        }
        fromFile.erase(std::remove(fromFile.begin(), fromFile.end(), option), fromFile.end());
    }
    // Every value the file still gives is checked now, naming the file and
    // the key, not later as an option the user never typed.
    for (const RequestOption *option : fromFile) {
        if (auto refused = RefusedValue(*option, request)) {
            read.error = Where(fileName) + ": 键“" + option->name + "”: " + *refused;
            return read;
        }
    }
    read.request = std::move(request);
    return read;
}

DesignFileRead ReadDesignFile(const std::string &path, const DesignRequest &base,
                              const OptionOverrides &overrides) {
    DesignFileRead read;
    struct stat status {};
    if (::stat(path.c_str(), &status) != 0) {
        read.error = Where(path) + ": " + ReadErrorText(errno);
        return read;
    }
    if (!S_ISREG(status.st_mode)) {
        read.error = Where(path) + ": 不是普通文件";
        return read;
    }
    if (static_cast<std::size_t>(status.st_size) > kLargestDesignFile) {
        read.error = Where(path) + ": 文件太大 (设计文件不超过 1 MiB)";
        return read;
    }
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        read.error =
            Where(path) + ": " + (errno == 0 ? std::string("无法打开") : ReadErrorText(errno));
        return read;
    }
    std::string text;
    text.resize(kLargestDesignFile + 1);
    file.read(text.data(), static_cast<std::streamsize>(text.size()));
    if (file.bad()) {
        read.error = Where(path) + ": 读取失败";
        return read;
    }
    text.resize(static_cast<std::size_t>(file.gcount()));
    if (text.size() > kLargestDesignFile) {
        read.error = Where(path) + ": 文件太大 (设计文件不超过 1 MiB)";
        return read;
    }
    return ReadDesignText(text, path, base, overrides);
}
