#include "data_files.h"
#include "file_replacement.h"
#include "record_reader.h"

#include <algorithm>

namespace quorlin {

namespace {

// A comma-free text, as nearly every one is, goes in without a copy.
void appendWithDecimalPoint(std::string& out, const std::string& text)
{
    if (text.find(',') == std::string::npos)
        out += text;
    else
        out += withDecimalPoint(text);
}

// A record's line without its line end.
void appendFields(std::string& out, const TextRecord& record)
{
    appendWithDecimalPoint(out, record.first);
    out += '\t';
    appendWithDecimalPoint(out, record.second);
}

}  // namespace

std::string withDecimalPoint(const std::string& text)
{
    if (std::count(text.begin(), text.end(), ',') != 1 || text.find('.') != std::string::npos) return text;
    std::string mended = text;
    mended[mended.find(',')] = '.';
    return parseFileNumber(mended) ? mended : text;
}

std::string dataFileText(const std::vector<TextRecord>& records)
{
    std::string text;
    writeDataFileText(records, [&text](std::string_view piece) {
        text += piece;
        return true;
    });
    return text;
}

bool writeDataFileText(const std::vector<TextRecord>& records, const ByteSink& write)
{
    return writeDataFileLines(
        records.size(), [&records](std::string& out, std::size_t i) { appendDataFileLine(out, records[i]); }, write);
}

void appendDataFileLine(std::string& out, const TextRecord& record)
{
    appendFields(out, record);
    out += "\r\n";
}

bool writeDataFileLines(std::size_t count, const LineMaker& appendLine, const ByteSink& write)
{
    constexpr std::size_t kPiece = std::size_t{1} << 16;
    std::string piece;
    for (std::size_t line = 0; line < count; ++line) {
        appendLine(piece, line);
        if (piece.size() >= kPiece) {
            if (!write(piece)) return false;
            piece.clear();
        }
    }
    return piece.empty() || write(piece);
}

std::optional<RecordValues> valuesAsWritten(const TextRecord& record)
{
    std::string written;
    appendFields(written, record);
    return written.size() <= LineReader::kMaxLineLength ? parseRecord(written) : std::nullopt;
}

bool recordEndsData(const TextRecord& record)
{
    const auto values = valuesAsWritten(record);
    return !values || (values->first == 0.0 && values->second == 0.0);
}

std::optional<std::size_t> firstRecordEndingData(const std::vector<TextRecord>& records)
{
    for (std::size_t i = 0; i < records.size(); ++i)
        if (recordEndsData(records[i])) return i;
    return std::nullopt;
}

FileOutcome writeCalibrationFile(const std::string& path, const TextRecord& constants,
                                 const std::vector<TextRecord>& points)
{
    std::vector<TextRecord> records;
    records.reserve(points.size() + 1);
    records.push_back(constants);
    records.insert(records.end(), points.begin(), points.end());
    return replaceFileContents(path, [&records](const ByteSink& write) { return writeDataFileText(records, write); });
}

FileOutcome writeAdjustedFile(const std::string& path, const std::vector<TextRecord>& points)
{
    return replaceFileContents(path, [&points](const ByteSink& write) { return writeDataFileText(points, write); });
}

FileOutcome writeAdjustedFile(const std::string& path, std::size_t count, const LineMaker& appendLine)
{
    return replaceFileContents(
        path, [count, &appendLine](const ByteSink& write) { return writeDataFileLines(count, appendLine, write); });
}

}  // namespace quorlin
