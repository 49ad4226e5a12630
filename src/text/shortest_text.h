#pragma once

#include <cstddef>

namespace quorlin {

// Room for the longest shortest text, "-2.2250738585072014e-308" (24 bytes), with some
// to spare.
inline constexpr std::size_t kShortestTextCapacity = 32;

// Writes at `first`, which has room for kShortestTextCapacity, the shortest text that
// reads back as the value: std::to_chars without a format. Returns the end of the text.
char* writeShortestText(char* first, double value);
char* writeShortestText(char* first, float value);

}  // namespace quorlin
