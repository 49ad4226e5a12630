#pragma once

#include <string>
#include <string_view>

namespace quorlin {

// SHA-256 of the bytes as 64 lowercase hexadecimal digits.
std::string sha256Hex(std::string_view bytes);

}  // namespace quorlin
