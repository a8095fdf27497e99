#pragma once

#include "field_check.h"
#include "option_ranges.h"
#include "search_setup.h"

#include <optional>
#include <string>
#include <vector>

// Reads options in order; the first problem wins.
class OptionReader {
  public:
    explicit OptionReader(const SearchArguments &arguments) : arguments_(arguments) {}

    bool has(const std::string &name) const { return arguments_.values.count(name) > 0; }
    bool flag(const std::string &name) const { return arguments_.flags.count(name) > 0; }
    const std::string *text(const std::string &name) const {
        const auto it = arguments_.values.find(name);
        return it == arguments_.values.end() ? nullptr : &it->second;
    }

    std::optional<double> number(const std::string &name) {
        const std::string *t = text(name);
        if (t == nullptr || failed()) {
            return std::nullopt;
        }
        return Parse(name, *t);
    }
    std::optional<double> positive(const std::string &name) {
        const auto value = number(name);
        if (value && !(*value > 0.0)) {
            Fail("--" + name + ": 数值必须大于0!");
            return std::nullopt;
        }
        return value;
    }
    double required(const std::string &name) {
        if (!has(name)) {
            Fail("缺少必需的选项 --" + name);
            return 0.0;
        }
        return number(name).value_or(0.0);
    }
    std::vector<double> list(const std::string &name, std::size_t exactly = 0) {
        std::vector<double> values;
        const std::string *t = text(name);
        if (t == nullptr || failed()) {
            return values;
        }
        std::size_t start = 0;
        for (;;) {
            const std::size_t comma = t->find(',', start);
            // "+3,-1": a signed tolerance's "+3" is the number 3.
            std::string item = t->substr(start, comma - start);
            const auto value = Parse(name, item.starts_with('+') ? item.substr(1) : item);
            if (!value) {
                return {};
            }
            values.push_back(*value);
            if (comma == std::string::npos) {
                break;
            }
            start = comma + 1;
        }
        if (exactly != 0 && values.size() != exactly) {
            Fail("--" + name + ": 需要 MIN,MAX 两个数值");
            return {};
        }
        return values;
    }

    void Fail(std::string message) {
        if (!failed()) {
            error_ = std::move(message);
        }
    }
    bool failed() const { return !error_.empty(); }
    const std::string &error() const { return error_; }

  private:
    std::optional<double> Parse(const std::string &name, const std::string &t) {
        // An option with a physical range of its own names it when a number
        // falls outside.
        if (const OptionRange *range = FindOptionRange(name)) {
            std::string refused;
            const auto value = RangedNumber(*range, t, refused);
            if (!value) {
                Fail(refused);
            }
            return value;
        }
        const NumericText parsed = ParseNumericText(t);
        if (parsed.status != NumericTextStatus::Ok) {
            Fail("--" + name + ": " + kNotNumericMessage);
            return std::nullopt;
        }
        return parsed.value;
    }

    const SearchArguments &arguments_;
    std::string error_;
};
