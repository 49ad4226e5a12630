#pragma once

#include <charconv>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin::testing {

// Just enough JSON reading for the companion's flat output: the value after the first
// "key": at or after `from`.
inline std::size_t JsonValueStart(std::string_view json, std::string_view key, std::size_t from = 0)
{
    const std::string needle = "\"" + std::string(key) + "\":";
    const auto at = json.find(needle, from);
    return at == std::string_view::npos ? at : at + needle.size();
}

inline std::optional<double> JsonNumber(std::string_view json, std::string_view key, std::size_t from = 0)
{
    const auto start = JsonValueStart(json, key, from);
    if (start == std::string_view::npos) return std::nullopt;
    double value = 0.0;
    if (std::from_chars(json.data() + start, json.data() + json.size(), value).ec != std::errc()) return std::nullopt;
    return value;
}

// A string value without escapes.
inline std::optional<std::string> JsonString(std::string_view json, std::string_view key, std::size_t from = 0)
{
    auto start = JsonValueStart(json, key, from);
    if (start == std::string_view::npos || json[start] != '"') return std::nullopt;
    const auto end = json.find('"', ++start);
    return std::string(json.substr(start, end - start));
}

inline std::vector<double> JsonNumbers(std::string_view json, std::string_view key)
{
    std::vector<double> values;
    auto at = JsonValueStart(json, key);
    if (at == std::string_view::npos || json[at] != '[') return values;
    ++at;
    while (json[at] != ']') {
        double value = 0.0;
        const auto result = std::from_chars(json.data() + at, json.data() + json.size(), value);
        if (result.ec != std::errc()) break;
        values.push_back(value);
        at = static_cast<std::size_t>(result.ptr - json.data());
        if (json[at] == ',') ++at;
    }
    return values;
}

}  // namespace quorlin::testing
