#pragma once

#include <cstddef>

namespace quorlin {

// The room writeShortestText needs: it may write anywhere in it, beyond the text, to copy
// digits in fixed sizes.
inline constexpr std::size_t kShortestTextCapacity = 48;

// Writes at `first` exactly what std::to_chars(first, last, value) writes with the GNU
// library: the shortest text that reads back as the value, in fixed notation when that is
// no longer than scientific; whole numbers in fixed notation show their exact digits.
// Returns the end of the text.
char* writeShortestText(char* first, double value);
char* writeShortestText(char* first, float value);

}  // namespace quorlin
