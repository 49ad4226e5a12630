#include "utc_time.h"

#include <charconv>
#include <chrono>
#include <ctime>

namespace quorlin {

namespace {

std::string formatted(std::int64_t seconds, bool utc, const char* pattern)
{
    const auto t = static_cast<std::time_t>(seconds);
    std::tm parts{};
    if (!(utc ? gmtime_r(&t, &parts) : localtime_r(&t, &parts))) return {};
    char text[40] = "";
    return std::strftime(text, sizeof text, pattern, &parts) ? text : "";
}

// Digits at `at` of `text` as a number, with the separator expected after them.
bool field(std::string_view text, std::size_t at, std::size_t digits, int& value)
{
    if (at + digits > text.size()) return false;
    const char* first = text.data() + at;
    const auto [end, error] = std::from_chars(first, first + digits, value);
    return error == std::errc() && end == first + digits;
}

bool dateParts(std::string_view text, std::tm& parts)
{
    int year = 0, month = 0, day = 0;
    if (text.size() < 10 || text[4] != '-' || text[7] != '-' || !field(text, 0, 4, year) || !field(text, 5, 2, month)
        || !field(text, 8, 2, day) || month < 1 || month > 12 || day < 1 || day > 31)
        return false;
    parts.tm_year = year - 1900;
    parts.tm_mon = month - 1;
    parts.tm_mday = day;
    return true;
}

}  // namespace

std::string utcText(std::int64_t seconds) { return formatted(seconds, true, "%Y-%m-%dT%H:%M:%SZ"); }

std::optional<std::int64_t> parseUtcText(std::string_view text)
{
    std::tm parts{};
    int hour = 0, minute = 0, second = 0;
    if (text.size() != 20 || !dateParts(text, parts) || text[10] != 'T' || text[13] != ':' || text[16] != ':'
        || text[19] != 'Z' || !field(text, 11, 2, hour) || !field(text, 14, 2, minute) || !field(text, 17, 2, second))
        return std::nullopt;
    parts.tm_hour = hour;
    parts.tm_min = minute;
    parts.tm_sec = second;
    return static_cast<std::int64_t>(timegm(&parts));
}

std::string localTimeText(std::int64_t seconds) { return formatted(seconds, false, "%Y-%m-%d %H:%M:%S"); }

std::optional<std::int64_t> parseLocalDate(std::string_view text)
{
    std::tm parts{};
    if (text.size() != 10 || !dateParts(text, parts)) return std::nullopt;
    parts.tm_isdst = -1;
    const std::time_t t = std::mktime(&parts);
    if (t == static_cast<std::time_t>(-1)) return std::nullopt;
    return static_cast<std::int64_t>(t);
}

std::int64_t nowSeconds()
{
    return std::chrono::duration_cast<std::chrono::seconds>(std::chrono::system_clock::now().time_since_epoch())
        .count();
}

}  // namespace quorlin
