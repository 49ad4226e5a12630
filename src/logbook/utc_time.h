#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace quorlin {

// Seconds since 1970-01-01 UTC as ISO 8601, "2026-12-07T14:03:09Z", and back.
std::string utcText(std::int64_t seconds);
std::optional<std::int64_t> parseUtcText(std::string_view text);

// The same moment in the local time zone, "2026-12-07 15:03:09".
std::string localTimeText(std::int64_t seconds);

// The start of a day "2026-12-07" in the local time zone, as seconds since 1970 UTC.
std::optional<std::int64_t> parseLocalDate(std::string_view text);

std::int64_t nowSeconds();

}  // namespace quorlin
