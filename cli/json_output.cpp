#include "json_output.h"

#include "text/shortest_text.h"
#include "wording/captions.h"
#include "wording/fit_details.h"
#include "wording/messages.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <future>
#include <memory>
#include <ostream>
#include <system_error>
#include <vector>

namespace quorlin::cli {

namespace {

void appendString(std::string& out, std::string_view text)
{
    out += '"';
    for (const char c : text) {
        if (c == '"' || c == '\\') {
            out += '\\';
            out += c;
        } else if (static_cast<unsigned char>(c) < 0x20) {
            char escaped[8];
            std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
            out += escaped;
        } else {
            out += c;
        }
    }
    out += '"';
}

// JSON has no infinities or NaN; they become null.
template <typename T>
void appendNumber(std::string& out, T value)
{
    if (!std::isfinite(value)) {
        out += "null";
        return;
    }
    appendRoundTripText(out, value);
}

// Counts and point numbers are whole numbers: "points":1000000, not 1e+06.
void appendCount(std::string& out, std::int32_t value) { out += std::to_string(value); }

void appendKey(std::string& out, std::string_view key)
{
    if (out.back() != '{') out += ',';
    appendString(out, key);
    out += ':';
}

// Within a long array the text so far goes out, so that a million points never stand
// in memory as one string.
void passOnLongText(std::string& out, std::ostream& stream)
{
    constexpr std::size_t kChunk = std::size_t{1} << 16;
    if (out.size() < kChunk) return;
    stream.write(out.data(), static_cast<std::streamsize>(out.size()));
    out.clear();
}

// The text of a number in an array, at `p`, which has room for kShortestTextCapacity;
// the end of the text.
char* writeNumber(char* p, double value)
{
    if (std::isfinite(value)) return writeShortestText(p, value);
    constexpr std::string_view null = "null";
    return std::copy(null.begin(), null.end(), p);
}

char* writeNumber(char* p, Number value)
{
    if (value.isSingle() && std::isfinite(value.value()))
        return writeShortestText(p, static_cast<float>(value.value()));
    return writeNumber(p, value.value());
}

// A long array chunk by chunk, each formatted into one reused buffer and written out, so
// that a million numbers never stand in memory as one string.
template <typename WriteItem>
void appendArray(std::string& out, std::ostream& stream, std::size_t count, WriteItem writeItem)
{
    constexpr std::size_t kChunk = std::size_t{1} << 16;
    constexpr std::size_t kItemRoom = kShortestTextCapacity + 1;  // and its comma
    std::vector<char> text(std::min(count, kChunk) * kItemRoom);
    out += '[';
    stream.write(out.data(), static_cast<std::streamsize>(out.size()));
    out.clear();
    for (std::size_t begin = 0; begin < count; begin += kChunk) {
        char* p = text.data();
        for (std::size_t i = begin; i < std::min(begin + kChunk, count); ++i) {
            if (i > 0) *p++ = ',';
            p = writeItem(p, i);
        }
        stream.write(text.data(), static_cast<std::streamsize>(p - text.data()));
    }
    out += ']';
}

void appendPoints(std::string& out, std::ostream& stream, std::string_view key, const PointArray& values,
                  std::int32_t count)
{
    appendKey(out, key);
    appendArray(out, stream, static_cast<std::size_t>(std::max(count, 0)), [&values](char* p, std::size_t i) {
        return writeNumber(p, pointOr0(values, static_cast<std::int32_t>(i) + 1));
    });
}

void appendDataEnd(std::string& out, std::string_view key, const FileOutcome& read)
{
    if (read.endLine == 0) return;
    appendKey(out, key);
    out += '{';
    appendKey(out, "line");
    appendCount(out, read.endLine);
    appendKey(out, "reason");
    appendString(out, dataEndReasonText(read.endReason));
    out += '}';
}

void appendParameterValues(std::string& out, const std::array<double, 4>& values)
{
    out += '[';
    for (std::size_t k = kEzero; k <= kJcorr; ++k) {
        if (k > kEzero) out += ',';
        appendNumber(out, values[k]);
    }
    out += ']';
}

void appendPerPoint(std::string& out, std::ostream& stream, std::string_view key, const std::vector<double>& values)
{
    appendKey(out, key);
    appendArray(out, stream, values.size(), [&values](char* p, std::size_t i) { return writeNumber(p, values[i]); });
}

// A matrix or row of values that an undetermined fit does not have: null.
template <typename Values, typename Append>
void appendDetermined(std::string& out, bool determined, const Values& values, Append append)
{
    if (determined)
        append(out, values);
    else
        out += "null";
}

void appendMatrix(std::string& out, const ParameterMatrix& matrix)
{
    out += '[';
    for (std::size_t k = kEzero; k <= kJcorr; ++k) {
        if (k > kEzero) out += ',';
        appendParameterValues(out, matrix[k]);
    }
    out += ']';
}

// The double-precision statistics beside the fit: correlation, confidence intervals,
// studentised residuals and the cross-check of the single-precision parameters.
void appendStatistics(std::string& out, std::ostream& stream, const FitStatistics& statistics)
{
    const bool determined = statistics.identifiable;
    appendKey(out, "correlation");
    appendDetermined(out, determined, statistics.correlation, appendMatrix);
    appendKey(out, "ci95");
    appendDetermined(out, determined, statistics.ci95, appendParameterValues);
    appendPerPoint(out, stream, "studentized", statistics.studentized);
    appendKey(out, "doubleCheck");
    out += '{';
    const char* names[] = {"ezero", "slope", "jcorr"};
    for (std::size_t k = kEzero; k <= kJcorr; ++k) {
        appendKey(out, names[k - 1]);
        appendNumber(out, statistics.parameters[k]);
    }
    appendKey(out, "maxSigmaShift");
    appendNumber(out, statistics.maxSigmaShift);
    appendKey(out, "sigma");
    appendDetermined(out, determined, statistics.sigma, appendParameterValues);
    appendKey(out, "jointShift");
    appendNumber(out, statistics.jointShift);
    out += '}';
}

// What the statistics tell of each point and of the fit as a whole, after the keys above.
void appendStatisticsFindings(std::string& out, std::ostream& stream, const FitStatistics& statistics,
                              const CalibrationRecord& record, const std::vector<std::string>& warnings)
{
    appendPerPoint(out, stream, "externallyStudentized", statistics.externallyStudentized);
    appendPerPoint(out, stream, "leverage", statistics.leverage);
    appendPerPoint(out, stream, "cooksDistance", statistics.cooksDistance);
    appendKey(out, "outliers");
    out += '[';
    for (const OutlierCandidate& c : statistics.outliers) {
        out += out.back() == '[' ? "{" : ",{";
        appendKey(out, "point");
        appendCount(out, c.point);
        appendKey(out, "p");
        appendNumber(out, c.p);
        out += '}';
    }
    out += ']';
    appendKey(out, "warnings");
    out += '[';
    for (const std::string& warning : warnings) {
        if (out.back() != '[') out += ',';
        appendString(out, warning);
    }
    out += ']';
    appendKey(out, "runsTest");
    if (statistics.runs) {
        out += '{';
        appendKey(out, "runs");
        appendCount(out, statistics.runs->runs);
        appendKey(out, "p");
        appendNumber(out, statistics.runs->p);
        out += '}';
    } else {
        out += "null";
    }
    appendKey(out, "covariance");
    appendDetermined(out, statistics.identifiable, statistics.covariance, appendMatrix);
    appendKey(out, "dof");
    appendCount(out, statistics.points - kParameterCount);
    appendKey(out, "excluded");
    out += '[';
    for (const std::int32_t point : record.leftOut()) {
        if (out.back() != '[') out += ',';
        appendCount(out, point);
    }
    out += ']';
}

// One part of the adjusted values' standard deviations, `part` of each.
void appendAdjustedSigma(std::string& out, std::ostream& stream, std::string_view key,
                         const std::vector<AdjustedSigma>& sigmas, double AdjustedSigma::*part,
                         std::size_t adjustedCount)
{
    appendKey(out, key);
    out += '[';
    for (std::size_t i = 0; i < adjustedCount && i < sigmas.size(); ++i) {
        if (i > 0) out += ',';
        appendNumber(out, sigmas[i].*part);
        passOnLongText(out, stream);
    }
    out += ']';
}

// The numbers of the adjusted points that carry `flag`.
void appendFlaggedPoints(std::string& out, std::ostream& stream, std::string_view key, const AdjustmentFlags& flags,
                         ReadingFlags flag)
{
    appendKey(out, key);
    out += '[';
    bool first = true;
    for (std::size_t i = 0; i < flags.points.size(); ++i) {
        if ((flags.points[i] & flag) == 0) continue;
        if (!first) out += ',';
        first = false;
        appendCount(out, static_cast<std::int32_t>(i + 1));
        passOnLongText(out, stream);
    }
    out += ']';
}

// The record's statistics, worked out on a second thread while the arrays before them are
// written: the thread shares the record, which nothing changes.
std::future<std::optional<FitStatistics>> statisticsBeside(std::shared_ptr<const CalibrationRecord> record)
{
    const auto work = [record = std::move(record)] { return computeFitStatistics(record->fittedData(), record->fit); };
    try {
        return std::async(std::launch::async, work);
    } catch (const std::system_error&) {
        return std::async(std::launch::deferred, work);
    }
}

}  // namespace

std::string jsonString(std::string_view text)
{
    std::string out;
    appendString(out, text);
    return out;
}

std::vector<std::string> writeCalibrationJson(std::ostream& stream, const Session& session,
                                              const CalibrationReport& report, const AdjustmentReport* adjustment,
                                              const FileReads& reads)
{
    const Captions captions = parameterCaptions(session);
    const CalibrationRecord* record = report.converged() ? session.calibration().record().get() : nullptr;
    const FitResult* fit = record ? &record->fit : nullptr;
    std::future<std::optional<FitStatistics>> statistics;
    if (record) statistics = statisticsBeside(session.calibration().record());
    std::string out = "{";
    appendKey(out, "outcome");
    appendString(out, outcomeName(report.outcome));
    appendKey(out, "message");
    appendString(out, reportMessage(report));
    appendKey(out, "points");
    appendCount(out, session.calibration().includedCount());

    if (fit) {
        const char* names[] = {"ezero", "slope", "jcorr"};
        for (std::size_t k = kEzero; k <= kJcorr; ++k) {
            appendKey(out, names[k - 1]);
            appendNumber(out, fit->parameters[k]);
        }
        appendKey(out, "rms");
        appendNumber(out, fit->rms);
        appendKey(out, "sigma");
        appendParameterValues(out, fit->sigma);
    }

    appendKey(out, "captions");
    out += '{';
    appendKey(out, "ezero");
    appendString(out, captions.parameter[kEzero]);
    appendKey(out, "slope");
    appendString(out, captions.parameter[kSlope]);
    appendKey(out, "jcorr");
    appendString(out, captions.parameter[kJcorr]);
    appendKey(out, "rms");
    appendString(out, captions.rmsError);
    out += '}';

    appendDataEnd(out, "dataEnd", reads.calibration);
    appendDataEnd(out, "adjustmentDataEnd", reads.adjustment);

    if (record) {
        const CalibrationData& fitted = record->fittedData();
        appendPoints(out, stream, "pH", fitted.pH, fitted.count);
        appendPoints(out, stream, "residuals", record->fittedResiduals(), fitted.count);
    }

    if (adjustment) {
        appendKey(out, "adjusted");
        out += '[';
        for (std::size_t i = 0; i < adjustment->texts.size(); ++i) {
            if (i > 0) out += ',';
            appendString(out, adjustment->texts[i]);
            passOnLongText(out, stream);
        }
        out += ']';
        if (adjustment->failedPoint != 0) {
            appendKey(out, "adjustmentStoppedAt");
            appendCount(out, adjustment->failedPoint);
        }
    }
    std::vector<std::string> warnings;
    std::optional<std::vector<AdjustedSigma>> sigmas;
    if (const std::optional<FitStatistics> s = statistics.valid() ? statistics.get() : std::nullopt) {
        warnings = fitWarnings(record->fit, *s);
        appendStatistics(out, stream, *s);
        appendStatisticsFindings(out, stream, *s, *record, warnings);
        if (adjustment) {
            sigmas = session.adjustedSigmas(*s);
            appendAdjustedSigma(out, stream, "adjustedSigma", *sigmas, &AdjustedSigma::calibration,
                                adjustment->texts.size());
        }
    }
    if (adjustment) {
        if (sigmas)
            appendAdjustedSigma(out, stream, "adjustedSigmaTotal", *sigmas, &AdjustedSigma::total,
                                adjustment->texts.size());
        appendFlaggedPoints(out, stream, "outsideCalibration", adjustment->flags, kOutsideCalibration);
        appendFlaggedPoints(out, stream, "noRoot", adjustment->flags, kNoRoot);
        appendFlaggedPoints(out, stream, "turningPoint", adjustment->flags, kTurningPoint);
    }
    out += "}\n";
    stream.write(out.data(), static_cast<std::streamsize>(out.size()));
    return warnings;
}

}  // namespace quorlin::cli
