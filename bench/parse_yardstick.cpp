// The yardstick for quorlin-cli at scale: map data files and parse every number in them,
// as fast as a plain program can. libstdc++ 12 builds from_chars for double on the
// fast_float algorithm (its 128-bit powers-of-five table is in libstdc++.so), so this is
// a fast_float parse of the same bytes.
#include <charconv>
#include <cstdio>
#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

bool startsNumber(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '.'; }

// Adds every number of the bytes to `sum`; returns how many there were.
long parseAll(const char* p, const char* end, double& sum)
{
    long count = 0;
    while (p < end) {
        if (!startsNumber(*p)) {
            ++p;
            continue;
        }
        double value = 0.0;
        const auto [next, ec] = std::from_chars(p, end, value);
        if (ec == std::errc()) {
            sum += value;
            ++count;
        }
        p = next == p ? p + 1 : next;
    }
    return count;
}

}  // namespace

int main(int argc, char** argv)
{
    double sum = 0.0;
    long count = 0;
    for (int a = 1; a < argc; ++a) {
        const int fd = ::open(argv[a], O_RDONLY);
        struct stat info {};
        if (fd < 0 || ::fstat(fd, &info) != 0) {
            std::fprintf(stderr, "parse_yardstick: cannot read %s\n", argv[a]);
            return 1;
        }
        const auto size = static_cast<std::size_t>(info.st_size);
        void* bytes = size == 0 ? nullptr : ::mmap(nullptr, size, PROT_READ, MAP_PRIVATE, fd, 0);
        ::close(fd);
        if (bytes == MAP_FAILED) {
            std::fprintf(stderr, "parse_yardstick: cannot map %s\n", argv[a]);
            return 1;
        }
        const char* text = static_cast<const char*>(bytes);
        count += parseAll(text, text + size, sum);
        if (bytes) ::munmap(bytes, size);
    }
    std::printf("%ld numbers, sum %.17g\n", count, sum);
    return 0;
}
