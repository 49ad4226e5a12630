#pragma once

#include "core/data_sets.h"
#include "io/record_reader.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

// Data files hold one record of two numbers per line. A field ends at a comma, a tab or
// the end of a line (CR LF, LF or CR), blanks around it are skipped, and numbers always
// use a point whatever the regional settings. The data end at the first record whose
// values are both zero (dropped), at a record that is not exactly two finite numbers (a
// blank line, a text header, junk, an overlong line), or at the end of the file (the last
// record is kept). Values are held in double precision.

// Why the data of a file ended before its end.
enum class DataEnd { NotTwoNumbers, LineTooLong, EndMark };

// Whether a file could be read or written through; on failure `error` (an errno value)
// says why.
struct FileOutcome {
    bool ok = true;
    int error = 0;
    // Where a read stopped short: the 1-based line that was not a record (the header is
    // line 1), or the end mark with lines after it that are not blank, and why. 0 when the
    // data ran to the end of the file or to an end mark at its end, blank lines aside.
    std::int32_t endLine = 0;
    DataEnd endReason = DataEnd::NotTwoNumbers;
    // After an end mark: the lines that are not blank and were not read.
    std::int64_t linesNotRead = 0;

    static FileOutcome failure(int error);
};

// Header record into the two constants, then the points. The data set is replaced whatever happens: a file that cannot be opened
// or whose first line is not two numbers leaves no points and both constants empty.
FileOutcome readCalibrationFile(CalibrationData& data, const std::string& path);

// The points of data to adjust; no header record.
FileOutcome readAdjustmentFile(AdjustmentData& data, const std::string& path);

// The texts of one line of a written file, as the window shows them.
struct TextRecord {
    std::string first;
    std::string second;
};

// A comma locale shows and accepts "0,1"; written as is, the comma would split a file's
// field in two, and a spreadsheet of another convention would take it for text. A text
// that is a number with a decimal comma comes back with a point; any other as it is.
std::string withDecimalPoint(const std::string& text);

// Each record as field 1, a tab, field 2, CR LF. A text that is a number with a decimal
// comma (as a comma locale shows and accepts them) is written with a point instead, so
// that the file reads back as the same numbers; every other text is written as shown.
std::string dataFileText(const std::vector<TextRecord>& records);

// Takes each piece of a file's bytes in turn; false when writing it failed (errno says why).
using ByteSink = std::function<bool(std::string_view)>;

// The same text handed to `write` in pieces of some 64 KiB; false when a write failed.
bool writeDataFileText(const std::vector<TextRecord>& records, const ByteSink& write);

// One record's line as dataFileText writes it, CR LF included, appended to `out`.
void appendDataFileLine(std::string& out, const TextRecord& record);

// Lines 0..count-1, each appended to a piece by `appendLine`, handed to `write` in pieces
// as writeDataFileText does; for records that are made only as they are written.
using LineMaker = std::function<void(std::string& out, std::size_t line)>;
bool writeDataFileLines(std::size_t count, const LineMaker& appendLine, const ByteSink& write);

// The two numbers a record gives when its file is read again, or nothing when its texts,
// as written, are not two numbers.
std::optional<RecordValues> valuesAsWritten(const TextRecord& record);

// Whether a record would end the data when the file is read again: its texts, as
// written, are not two numbers, or both are zero.
bool recordEndsData(const TextRecord& record);

// The index of the first record that would end the data, or nothing.
std::optional<std::size_t> firstRecordEndingData(const std::vector<TextRecord>& records);

// Line 1 from the two constants' texts as typed, then one line per point. The file is written beside the target and renamed over it only when complete,
// so a failed save leaves an existing file as it was; the outcome carries the reason
// for "Could not save FILE: REASON".
FileOutcome writeCalibrationFile(const std::string& path, const TextRecord& constants,
                                 const std::vector<TextRecord>& points);

// One line per point: the volume text and the adjusted text.
FileOutcome writeAdjustedFile(const std::string& path, const std::vector<TextRecord>& points);
// The same with each point's line made as it is written.
FileOutcome writeAdjustedFile(const std::string& path, std::size_t count, const LineMaker& appendLine);

}  // namespace quorlin
