#include "data_files.h"
#include "file_replacement.h"
#include "record_reader.h"

#include <algorithm>

namespace quorlin {

namespace {

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
    for (const TextRecord& record : records) {
        text += withDecimalPoint(record.first);
        text += '\t';
        text += withDecimalPoint(record.second);
        text += "\r\n";
    }
    return text;
}

std::optional<RecordValues> valuesAsWritten(const TextRecord& record)
{
    const std::string line = dataFileText({record});
    const std::string_view written(line.data(), line.size() - 2);  // without its CR LF
    return written.size() <= LineReader::kMaxLineLength ? parseRecord(written) : std::nullopt;
}

std::optional<std::size_t> firstRecordEndingData(const std::vector<TextRecord>& records)
{
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto values = valuesAsWritten(records[i]);
        if (!values || (values->first == 0.0 && values->second == 0.0)) return i;
    }
    return std::nullopt;
}

FileOutcome writeCalibrationFile(const std::string& path, const TextRecord& constants,
                                 const std::vector<TextRecord>& points)
{
    std::vector<TextRecord> records;
    records.reserve(points.size() + 1);
    records.push_back(constants);
    records.insert(records.end(), points.begin(), points.end());
    return replaceFileContents(path, dataFileText(records));
}

FileOutcome writeAdjustedFile(const std::string& path, const std::vector<TextRecord>& points)
{
    return replaceFileContents(path, dataFileText(points));
}

}  // namespace quorlin
