#include "data_files.h"
#include "record_reader.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <memory>
#include <string_view>
#include <sys/stat.h>
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

bool isBlank(std::string_view line) { return line.find_first_not_of(" \t") == std::string_view::npos; }

// Reading stopped at line `number`. Blank lines left at the end of a file by an editor
// are not an early end; anything after them is.
FileOutcome endedAt(LineReader& reader, std::int64_t number, LineReader::Status status, std::string_view line)
{
    FileOutcome outcome;
    outcome.endLine =
        static_cast<std::int32_t>(std::min<std::int64_t>(number, std::numeric_limits<std::int32_t>::max()));
    outcome.endReason = status == LineReader::Status::TooLong ? DataEnd::LineTooLong : DataEnd::NotTwoNumbers;
    while (status == LineReader::Status::Line && isBlank(line)) {
        status = reader.next(line);
        if (status == LineReader::Status::ReadError) return FileOutcome::failure(errno);
        if (status == LineReader::Status::EndOfFile) return {};
    }
    return outcome;
}

// The data ended at the end mark on line `number`; `unread` records after it were taken
// from the block already. A note only when lines that are not blank follow.
FileOutcome endedAtMark(LineReader& reader, std::int64_t number, std::int64_t unread)
{
    std::string_view line;
    for (LineReader::Status status; (status = reader.next(line)) != LineReader::Status::EndOfFile;) {
        if (status == LineReader::Status::ReadError) return FileOutcome::failure(errno);
        if (status == LineReader::Status::TooLong || !isBlank(line)) ++unread;
    }
    FileOutcome outcome;
    if (unread == 0) return outcome;
    outcome.endLine =
        static_cast<std::int32_t>(std::min<std::int64_t>(number, std::numeric_limits<std::int32_t>::max()));
    outcome.endReason = DataEnd::EndMark;
    outcome.linesNotRead = unread;
    return outcome;
}

// Adds a record as the next point; false when no more points fit.
bool addPoint(PointSet& points, const RecordValues& record, std::size_t mostRecords)
{
    // Once a file shows itself large, its arrays get room for every record it could hold,
    // so that they fill without copying as they grow; room never written costs no memory.
    // A small file, or a hostile one of few records, never asks for it.
    constexpr std::int32_t kReserveAfter = 4096;
    if (points.count == std::numeric_limits<std::int32_t>::max()) return false;
    points.volume.push_back(Number::fromDouble(record.first));
    points.emf.push_back(Number::fromDouble(record.second));
    if (++points.count == kReserveAfter) {
        points.volume.reserve(mostRecords);
        points.emf.reserve(mostRecords);
    }
    return true;
}

// Reads records into points 1, 2, ... until an end mark, a line that is not a record or
// the end of the file. Only a read error counts as failure; the points read stay.
FileOutcome readPoints(LineReader& reader, PointSet& points, std::int64_t number, std::size_t mostRecords)
{
    // Plain records come in batches straight from the reader's block; any other line, or
    // one that runs past the block, is read as a line and parsed in full.
    std::array<RecordValues, 256> records;
    for (;;) {
        std::size_t taken = reader.takePlainRecords(records);
        if (taken == 0) {
            std::string_view line;
            const LineReader::Status status = reader.next(line);
            if (status == LineReader::Status::ReadError) return FileOutcome::failure(errno);
            if (status == LineReader::Status::EndOfFile) return {};
            const auto record = status == LineReader::Status::Line ? parseRecord(line) : std::nullopt;
            if (!record) return endedAt(reader, number, status, line);
            records[0] = *record;
            taken = 1;
        }
        for (std::size_t i = 0; i < taken; ++i, ++number) {
            if (records[i].first == 0.0 && records[i].second == 0.0)
                return endedAtMark(reader, number, static_cast<std::int64_t>(taken - i - 1));
            if (!addPoint(points, records[i], mostRecords)) return {};
        }
    }
}

// The records a file could hold: the shortest record, "1,1" and its line end, takes four
// bytes. 0 when the size is not known.
std::size_t mostRecords(std::FILE* file)
{
    constexpr std::uintmax_t kMostReserved = std::uintmax_t{1} << 24;
    struct stat status {};
    if (::fstat(::fileno(file), &status) != 0 || !S_ISREG(status.st_mode)) return 0;
    return static_cast<std::size_t>(std::min(static_cast<std::uintmax_t>(status.st_size) / 4, kMostReserved) + 1);
}

}  // namespace

FileOutcome FileOutcome::failure(int error)
{
    FileOutcome outcome;
    outcome.ok = false;
    outcome.error = error;
    return outcome;
}

FileOutcome readCalibrationFile(CalibrationData& data, const std::string& path)
{
    clear(data);
    data.acidConcentration = Number();
    data.initialVolume = Number();

    const FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) return FileOutcome::failure(errno);
    LineReader reader(file.get());

    std::string_view line;
    const LineReader::Status status = reader.next(line);
    if (status == LineReader::Status::ReadError) return FileOutcome::failure(errno);
    if (status == LineReader::Status::EndOfFile) return {};
    const auto header = status == LineReader::Status::Line ? parseRecord(line) : std::nullopt;
    if (!header) return endedAt(reader, 1, status, line);
    data.acidConcentration = Number::fromDouble(header->first);
    data.initialVolume = Number::fromDouble(header->second);

    return readPoints(reader, data, 2, mostRecords(file.get()));
}

FileOutcome readAdjustmentFile(AdjustmentData& data, const std::string& path)
{
    clear(data);

    const FileHandle file(std::fopen(path.c_str(), "rb"));
    if (!file) return FileOutcome::failure(errno);
    LineReader reader(file.get());
    return readPoints(reader, data, 1, mostRecords(file.get()));
}

}  // namespace quorlin
