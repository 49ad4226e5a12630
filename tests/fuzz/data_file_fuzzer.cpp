// Any bytes as a calibration file and as an adjustment file.
#include "fuzz_harness.h"
#include "io/data_files.h"

#include <tuple>

// As many points as the count says, each two finite doubles and never an end mark (both zero).
static void checkPoints(std::int32_t count, const quorlin::PointArray& volume, const quorlin::PointArray& emf)
{
    FUZZ_CHECK(count >= 0 && volume.size() == static_cast<std::size_t>(count) + 1 && emf.size() == volume.size());
    for (std::size_t i = 1; i < volume.size(); ++i) {
        const quorlin::Number v = volume[i], e = emf[i];
        FUZZ_CHECK(v.isDouble() && e.isDouble() && std::isfinite(v.value()) && std::isfinite(e.value()));
        FUZZ_CHECK(v.value() != 0.0 || e.value() != 0.0);
    }
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string& path = fuzz::memoryFile(data, size);
    // The only lines that know the io API.
    quorlin::CalibrationData cal;
    quorlin::AdjustmentData adj;
    FUZZ_CHECK(quorlin::readCalibrationFile(cal, path).ok && quorlin::readAdjustmentFile(adj, path).ok);
    const auto [count, volume, emf, acid, initial] =
        std::tie(cal.count, cal.volume, cal.emf, cal.acidConcentration, cal.initialVolume);
    const auto [adjCount, adjVolume, adjEmf] = std::tie(adj.count, adj.volume, adj.emf);

    checkPoints(count, volume, emf);
    checkPoints(adjCount, adjVolume, adjEmf);
    FUZZ_CHECK(acid.isEmpty() == initial.isEmpty() && (!acid.isEmpty() || count == 0));
    // Both layouts read the same records: the header is the adjustment file's first point
    // unless it reads as an end mark there.
    const bool headerIsPoint = !acid.isEmpty() && (acid.value() != 0.0 || initial.value() != 0.0);
    FUZZ_CHECK(adjCount == (headerIsPoint ? count + 1 : 0));
    for (std::size_t i = 1; headerIsPoint && i < adjVolume.size(); ++i)
        FUZZ_CHECK(adjVolume[i] == (i == 1 ? acid : volume[i - 1]) && adjEmf[i] == (i == 1 ? initial : emf[i - 1]));
    return 0;
}
