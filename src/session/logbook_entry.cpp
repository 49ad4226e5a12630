#include "logbook_entry.h"

#include "io/data_files.h"
#include "logbook/sha256.h"

#include <chrono>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace quorlin {

namespace {

bool sameFileData(const CalibrationData& a, const CalibrationData& b)
{
    return sameBits(a.acidConcentration, b.acidConcentration) && sameBits(a.initialVolume, b.initialVolume)
           && samePoints(a, b);
}

std::optional<std::string> fileBytes(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string bytes{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    if (file.bad()) return std::nullopt;
    return bytes;
}

// Whether the file still gives these data as it is read now; its bytes if so.
std::optional<std::string> bytesGiving(const std::string& path, const CalibrationData& data)
{
    const std::optional<std::string> bytes = fileBytes(path);
    CalibrationData reread;
    if (!bytes || !readCalibrationFile(reread, path).ok || !sameFileData(reread, data)) return std::nullopt;
    // Unchanged between the two reads, or the hash might be of other bytes than were read.
    if (fileBytes(path) != bytes) return std::nullopt;
    return bytes;
}

std::string pointsText(const CalibrationState& state)
{
    std::vector<TextRecord> records{{state.constantTexts[0], state.constantTexts[1]}};
    for (std::int32_t row = 1; row <= state.data.count; ++row)
        records.push_back({shownText(state.data, state.typed, {row, 1}), shownText(state.data, state.typed, {row, 2})});
    return dataFileText(records);
}

}  // namespace

PointsFingerprint pointsFingerprint(const Calibration& calibration, const CalibrationRecord& record)
{
    const CalibrationState& fitted = *record.input;
    if (record.file && calibration.loaded() && sameFileData(calibration.loaded()->data, fitted.data))
        if (const std::optional<std::string> bytes = bytesGiving(*record.file, fitted.data))
            return {sha256Hex(*bytes), false};
    return {sha256Hex(pointsText(fitted)), true};
}

std::string pointNumbersText(const std::vector<std::int32_t>& points)
{
    std::string out;
    for (const std::int32_t point : points) out += (out.empty() ? "" : ", ") + std::to_string(point);
    return out;
}

LogbookEntry logbookEntry(const Calibration& calibration, const LogbookRequest& request, const std::string& version)
{
    const CalibrationRecord& record = *calibration.record();
    const PointsFingerprint fingerprint = pointsFingerprint(calibration, record);
    LogbookEntry e;
    e.electrode = request.electrode;
    e.operatorName = request.operatorName;
    e.note = request.note;
    e.temperature = request.temperature;
    e.corrects = request.corrects;
    e.time = std::chrono::duration_cast<std::chrono::seconds>(record.time.time_since_epoch()).count();
    // Where the file is, whichever folder the entry was recorded from.
    if (record.file) e.file = std::filesystem::absolute(*record.file).lexically_normal().string();
    e.sha256 = fingerprint.sha256;
    e.editedAfterLoading = fingerprint.editedAfterLoading;
    e.acidConcentration = record.input->constantTexts[0];
    e.initialVolume = record.input->constantTexts[1];
    e.pointCount = record.input->data.count;
    e.leftOut = pointNumbersText(record.leftOut());
    const FitResult& fit = record.fit;
    e.ezero = fit.parameters[kEzero];
    e.slope = fit.parameters[kSlope];
    e.jcorr = fit.parameters[kJcorr];
    e.ezeroSigma = fit.sigma[kEzero];
    e.slopeSigma = fit.sigma[kSlope];
    e.jcorrSigma = fit.sigma[kJcorr];
    e.rms = fit.rms;
    e.version = version;
    return e;
}

}  // namespace quorlin
