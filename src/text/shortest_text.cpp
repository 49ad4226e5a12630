#include "text/shortest_text.h"

#include <charconv>

namespace quorlin {

char* writeShortestText(char* first, double value)
{
    return std::to_chars(first, first + kShortestTextCapacity, value).ptr;
}

char* writeShortestText(char* first, float value)
{
    return std::to_chars(first, first + kShortestTextCapacity, value).ptr;
}

}  // namespace quorlin
