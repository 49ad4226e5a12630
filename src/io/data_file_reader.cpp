#include "data_files.h"
#include "record_reader.h"

#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <system_error>

namespace quorlin {

namespace {

struct FileCloser {
    void operator()(std::FILE* f) const { std::fclose(f); }
};
using FileHandle = std::unique_ptr<std::FILE, FileCloser>;

void clear(PointSet& points)
{
    points.count = 0;
    reallocateFresh(points.volume, 0);
    reallocateFresh(points.emf, 0);
}

// Reads records into points 1, 2, ... until an end mark, a line that is not a record or
// the end of the file. Only a read error counts as failure; the points read stay.
FileOutcome readPoints(LineReader& reader, PointSet& points)
{
    std::string line;
    for (;;) {
        const LineReader::Status status = reader.next(line);
        if (status == LineReader::Status::ReadError) return FileOutcome::failure(errno);
        if (status != LineReader::Status::Line) return {};
        const auto record = parseRecord(line);
        if (!record || (record->first == 0.0 && record->second == 0.0)) return {};
        if (points.count == std::numeric_limits<std::int32_t>::max()) return {};
        points.volume.push_back(Number::fromDouble(record->first));
        points.emf.push_back(Number::fromDouble(record->second));
        ++points.count;
    }
}

FileHandle openForReading(const std::string& path) { return FileHandle(std::fopen(path.c_str(), "rb")); }

}  // namespace

FileOutcome FileOutcome::failure(int error) { return {false, std::generic_category().message(error)}; }

FileOutcome readCalibrationFile(CalibrationData& data, const std::string& path)
{
    clear(data);
    data.acidConcentration = Number();
    data.initialVolume = Number();

    const FileHandle file = openForReading(path);
    if (!file) return FileOutcome::failure(errno);
    LineReader reader(file.get());

    std::string line;
    const LineReader::Status status = reader.next(line);
    if (status == LineReader::Status::ReadError) return FileOutcome::failure(errno);
    if (status != LineReader::Status::Line) return {};
    const auto header = parseRecord(line);
    if (!header) return {};
    data.acidConcentration = Number::fromDouble(header->first);
    data.initialVolume = Number::fromDouble(header->second);

    return readPoints(reader, data);
}

FileOutcome readAdjustmentFile(AdjustmentData& data, const std::string& path)
{
    clear(data);

    const FileHandle file = openForReading(path);
    if (!file) return FileOutcome::failure(errno);
    LineReader reader(file.get());
    return readPoints(reader, data);
}

}  // namespace quorlin
