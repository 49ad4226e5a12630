// Any bytes as a calibration file and as an adjustment file.
#include "fuzz_check.h"
#include "io/data_files.h"

#include <sys/mman.h>
#include <unistd.h>

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

namespace {

using quorlin::Number;
using quorlin::PointArray;

// One in-memory file, rewritten for every input, so that nothing touches the disk.
const std::string& InputPath(const std::uint8_t* data, std::size_t size)
{
    static const int fd = memfd_create("data-file-fuzzer", 0);
    static const std::string path = "/proc/self/fd/" + std::to_string(fd);
    FUZZ_CHECK(fd >= 0);
    FUZZ_CHECK(ftruncate(fd, 0) == 0);
    FUZZ_CHECK(pwrite(fd, data, size, 0) == static_cast<ssize_t>(size));
    return path;
}

void CheckPoints(std::int32_t count, const PointArray& volume, const PointArray& emf, std::size_t size)
{
    FUZZ_CHECK(count >= 0);
    FUZZ_CHECK(volume.size() == static_cast<std::size_t>(count) + 1);
    FUZZ_CHECK(emf.size() == volume.size());
    // A record takes at least four bytes ("0,1" and a line end, or the last line without).
    FUZZ_CHECK(static_cast<std::size_t>(count) * 4 <= size + 1);
    for (std::int32_t i = 1; i <= count; ++i) {
        const Number v = volume[static_cast<std::size_t>(i)];
        const Number e = emf[static_cast<std::size_t>(i)];
        FUZZ_CHECK(v.isDouble() && e.isDouble());
        FUZZ_CHECK(std::isfinite(v.value()) && std::isfinite(e.value()));
        FUZZ_CHECK(v.value() != 0.0 || e.value() != 0.0);  // an end mark is never a point
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& path = InputPath(data, size);

    quorlin::Workspace cal;
    FUZZ_CHECK(quorlin::readCalibrationFile(cal, path).ok);
    CheckPoints(cal.CalCount, cal.CalVolume, cal.CalEmf, size);
    FUZZ_CHECK(cal.AcidConc.isEmpty() == cal.InitVolume.isEmpty());
    if (cal.AcidConc.isEmpty()) FUZZ_CHECK(cal.CalCount == 0);

    quorlin::Workspace adj;
    FUZZ_CHECK(quorlin::readAdjustmentFile(adj, path).ok);
    CheckPoints(adj.AdjCount, adj.AdjVolume, adj.AdjEmf, size);

    // Both layouts read the same records: the header is the adjustment file's first
    // record (unless it reads as an end mark there) and the points follow it.
    const bool headerIsEndMark = cal.AcidConc.value() == 0.0 && cal.InitVolume.value() == 0.0;
    if (cal.AcidConc.isEmpty() || headerIsEndMark) {
        FUZZ_CHECK(adj.AdjCount == 0);
    } else {
        FUZZ_CHECK(adj.AdjCount == cal.CalCount + 1);
        FUZZ_CHECK(adj.AdjVolume[1] == cal.AcidConc && adj.AdjEmf[1] == cal.InitVolume);
        for (std::int32_t i = 1; i <= cal.CalCount; ++i) {
            const auto slot = static_cast<std::size_t>(i);
            FUZZ_CHECK(adj.AdjVolume[slot + 1] == cal.CalVolume[slot]);
            FUZZ_CHECK(adj.AdjEmf[slot + 1] == cal.CalEmf[slot]);
        }
    }
    return 0;
}
