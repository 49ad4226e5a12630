#pragma once
// What the fuzz targets share: reading the input, both number conventions, and a
// broken invariant reported as a finding.
#include "text/number_text.h"

#include <sys/mman.h>
#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

// Aborting makes libFuzzer keep the input that broke the check.
#define FUZZ_CHECK(c)                                                                                                  \
    ((c) ? void() : (std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #c), std::abort()))

namespace fuzz {

constexpr std::size_t npos = std::string::npos;
constexpr quorlin::RegionalSettings kRegions[] = {{'.', ','}, {',', '.'}};

// The first bytes of the input as the bits of a T; missing bytes read as zero.
template <typename T>
T bitsOf(const std::uint8_t* data, std::size_t size)
{
    T value{};
    std::memcpy(&value, data, std::min(size, sizeof value));
    return value;
}

// The input as a file that never touches the disk.
inline const std::string& memoryFile(const std::uint8_t* data, std::size_t size)
{
    static const int fd = memfd_create("fuzz-input", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    FUZZ_CHECK(fd >= 0 && ftruncate(fd, 0) == 0 && pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
    return path;
}

// A shown number must read back whole, from a sign or a blank, digits with at most one
// separator, and perhaps "E" and an exponent.
inline long double readBack(std::string text, char separator = '.')
{
    std::replace(text.begin(), text.end(), separator, '.');
    // The program never sets a locale, so strtold takes a point.
    char* end = nullptr;
    const long double value = std::strtold(text.c_str(), &end);
    FUZZ_CHECK(*end == '\0' && text.find_first_not_of("0123456789.E+-", text[0] == ' ') == npos);
    return value;
}

}  // namespace fuzz
