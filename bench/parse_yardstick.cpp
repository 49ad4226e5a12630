// The yardstick for quorlin-cli at scale: read data files from disk and parse every
// number in them, as fast as a plain program can. libstdc++ 12 builds from_chars for
// double on the fast_float algorithm, so this is a fast_float-class parse.
#include <charconv>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace {

bool readWhole(const char* path, std::vector<char>& bytes)
{
    const int fd = ::open(path, O_RDONLY);
    if (fd < 0) return false;
    struct stat info {};
    bool ok = ::fstat(fd, &info) == 0;
    bytes.resize(ok ? static_cast<std::size_t>(info.st_size) : 0);
    std::size_t done = 0;
    while (ok && done < bytes.size()) {
        const ssize_t got = ::read(fd, bytes.data() + done, bytes.size() - done);
        ok = got > 0;
        if (ok) done += static_cast<std::size_t>(got);
    }
    ::close(fd);
    return ok;
}

bool startsNumber(char c) { return (c >= '0' && c <= '9') || c == '-' || c == '.'; }

}  // namespace

int main(int argc, char** argv)
{
    double sum = 0.0;
    long count = 0;
    for (int a = 1; a < argc; ++a) {
        std::vector<char> bytes;
        if (!readWhole(argv[a], bytes)) {
            std::fprintf(stderr, "parse_yardstick: cannot read %s\n", argv[a]);
            return 1;
        }
        const char* p = bytes.data();
        const char* end = p + bytes.size();
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
    }
    std::printf("%ld numbers, sum %.17g\n", count, sum);
    return 0;
}
