#include "session.h"

#include "core/adjusted_uncertainty.h"
#include "core/adjustment.h"
#include "included_points.h"
#include "io/data_directory.h"
#include "text/sigma_text.h"

#include <algorithm>
#include <bit>
#include <cctype>
#include <limits>

namespace quorlin {

namespace {

// A box holding only white space was left empty.
bool isBlank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c) != 0; });
}

// Parameters compared bit for bit: a table made for other bits could invert differently.
using RawParameters = std::array<std::uint32_t, 4>;

}  // namespace

std::string_view outcomeName(CalibrationOutcome outcome)
{
    switch (outcome) {
    case CalibrationOutcome::Converged: return "converged";
    case CalibrationOutcome::TooFewPoints: return "too few points";
    case CalibrationOutcome::NoFile: return "no file";
    case CalibrationOutcome::MissingConstant: return "missing constant";
    case CalibrationOutcome::InvalidConstant: return "invalid constant";
    case CalibrationOutcome::ModelError: return "model error";
    case CalibrationOutcome::FactorizationFailed: return "factorization failed";
    case CalibrationOutcome::StepLimit: return "step limit";
    }
    return "";
}

std::string calibrationMessage(const CalibrationReport& report)
{
    switch (report.outcome) {
    case CalibrationOutcome::FactorizationFailed: return "failed at FACT";
    case CalibrationOutcome::StepLimit: return "Calibration failed";
    case CalibrationOutcome::ModelError: return modelFailureText(report.model);
    case CalibrationOutcome::InvalidConstant:
        return std::string(report.missingConstant == 0 ? "Acid concentration: " : "Initial volume: ")
               + std::string(kInvalidEntryMessage);
    default: return {};
    }
}

std::string dataEndNote(std::string_view path, const FileOutcome& outcome, std::int32_t pointsRead)
{
    if (outcome.endLine == 0) return {};
    return std::string(path) + ": data end at line " + std::to_string(outcome.endLine) + " (" + outcome.endReason
           + "); " + std::to_string(pointsRead) + (pointsRead == 1 ? " point read" : " points read");
}

namespace {

const std::string kEndsData = " would end the data when the file is read again";

std::string shown(const TextRecord& record)
{
    return " (" + std::string(trimSpaces(record.first)) + ", " + std::string(trimSpaces(record.second)) + ")";
}

}  // namespace

std::string pointEndingData(const std::vector<TextRecord>& points)
{
    const std::optional<std::size_t> i = firstRecordEndingData(points);
    return i ? "Point " + std::to_string(*i + 1) + shown(points[*i]) + kEndsData : std::string();
}

std::string pointEndingData(const AdjustedPoints& points)
{
    const std::optional<std::size_t> i = points.firstRecordEndingData();
    return i ? "Point " + std::to_string(*i + 1) + shown(points.record(*i)) + kEndsData : std::string();
}

Session::Session(RegionalSettings regional) : regional_(regional) {}

NumberEntry Session::setConstantText(int which, std::string text)
{
    const NumberEntry entry = textToNumber(text, regional_);
    loadedModel_.reset();
    if (text != constantTexts_[static_cast<std::size_t>(which)]) markCalibrationDataChanged();
    (which == 0 ? calibration_.acidConcentration : calibration_.initialVolume) = entry.number;
    constantTexts_[static_cast<std::size_t>(which)] = std::move(text);
    return entry;
}

void Session::markCalibrationDataChanged()
{
    loadedModel_.reset();
    resultsOutOfDate_ = true;
}

bool Session::resultsOutOfDate() const { return resultsOutOfDate_; }

void Session::nameFile(std::size_t set, const std::string& path)
{
    captions_.fileName[set] = path;
    dataDirectory_ = dataDirectoryOf(path, dataDirectory_);
}

template <typename Data>
FileOutcome Session::replaceOnRead(Data& data, std::size_t set, const std::string& path,
                                   FileOutcome (*read)(Data&, const std::string&))
{
    Data fresh;
    const FileOutcome outcome = read(fresh, path);
    if (!outcome.ok) return outcome;
    nameFile(set, path);
    data = std::move(fresh);
    return outcome;
}

FileOutcome Session::loadCalibrationFile(const std::string& path)
{
    settleStatistics();
    const FileOutcome outcome = replaceOnRead(calibration_, 0, path, readCalibrationFile);
    if (!outcome.ok) return outcome;
    exclusions_.clear();
    constantTexts_ = {pointNumberText(calibration_.acidConcentration), pointNumberText(calibration_.initialVolume)};
    resultsOutOfDate_ = false;
    loadedModel_ = computeInitialValues(calibration_);
    if (loadedModel_->ok()) writeStartingCaptions(*loadedModel_);
    return outcome;
}

FileOutcome Session::loadAdjustmentFile(const std::string& path)
{
    return replaceOnRead(adjustment_, 1, path, readAdjustmentFile);
}

void Session::writeStartingCaptions(const ModelOutcome& line)
{
    captions_.parameter[kEzero] = formatNumber(line.intercept, "###0.00", regional_);
    captions_.parameter[kSlope] = formatNumber(line.slope, "###0.00", regional_);
    captions_.parameter[kJcorr] = "0.0";
}

CalibrationReport Session::calibrate(CalibrationExtras extras)
{
    settleStatistics();
    CalibrationReport report;
    const auto end = [&report](CalibrationOutcome outcome) {
        report.outcome = outcome;
        return report;
    };
    // Points left out are fitted as if deleted, from a copy of the others.
    std::optional<IncludedPoints> included;
    if (!exclusions_.empty()) included = includedPoints(calibration_, exclusions_);
    CalibrationData& fitted = included ? included->data : calibration_;
    if (fitted.count < kMinimumPoints) return end(CalibrationOutcome::TooFewPoints);
    if (captions_.fileName[0] == Captions::kNone) return end(CalibrationOutcome::NoFile);
    for (report.missingConstant = 0; report.missingConstant < 2; ++report.missingConstant)
        if (isBlank(constantTexts_[static_cast<std::size_t>(report.missingConstant)]))
            return end(CalibrationOutcome::MissingConstant);
    // Text that is no number would reach the model as 0 and blame point 1 instead.
    for (report.missingConstant = 0; report.missingConstant < 2; ++report.missingConstant)
        if (!textToNumber(constantTexts_[static_cast<std::size_t>(report.missingConstant)], regional_).wasNumber())
            return end(CalibrationOutcome::InvalidConstant);
    report.missingConstant = 0;

    report.model = !included && loadedModel_ ? *loadedModel_ : computeInitialValues(fitted);
    loadedModel_.reset();
    if (!report.model.ok()) {
        if (included && report.model.point != 0) report.model.point = included->row(report.model.point);
        return end(CalibrationOutcome::ModelError);
    }
    writeStartingCaptions(report.model);

    // The fit starts from the captions as shown, rounded to two decimals, in single precision.
    ElectrodeParameters start{};
    for (std::size_t k = kEzero; k <= kJcorr; ++k) {
        const NumberEntry entry = textToNumber(captions_.parameter[k], regional_);
        if (entry.outOfRange) ++report.outOfRangeStarts;
        start[k] = static_cast<float>(entry.number.value());
    }

    const FitResult fit = fitParameters(fitted, start);
    // The plots draw every point's residual, left-out points' too.
    if (extras.residuals || included) sumOfSquaredResiduals(fitted, fit.parameters);
    if (included) spreadModelValues(calibration_, *included, fit.parameters);
    switch (fit.outcome) {
    case FitOutcome::FactorizationFailed: return end(CalibrationOutcome::FactorizationFailed);
    case FitOutcome::StepLimit: return end(CalibrationOutcome::StepLimit);
    case FitOutcome::Converged: break;
    }

    lastFit_ = fit;
    lastStatistics_.reset();
    statisticsPending_ = true;
    fittedCopy_.reset();
    fittedRows_.clear();
    leftOut_ = exclusions_.points();
    if (included) {
        fittedCopy_ = std::move(included->data);
        fittedRows_ = std::move(included->rows);
    }
    resultsOutOfDate_ = false;
    captions_.rmsError = "Rms error = " + formatNumber(fit.rms, "#0.0000", regional_);
    for (std::size_t k = kEzero; k <= kJcorr; ++k) {
        const std::string sigmaText = oneFigureText(fit.sigma[k], regional_);
        captions_.parameter[k] = parameterCaption(fit.parameters[k], fit.sigma[k], sigmaText, regional_);
    }
    return report;
}

AdjustedPoints Session::adjustedPoints() const
{
    return {adjustment_, canAdjust() ? adjustData(adjustment_, parameters()) : AdjustmentResult{}, regional_};
}

AdjustmentReport Session::adjust() const { return adjustedPoints().texts(); }

const std::optional<FitStatistics>& Session::lastStatistics() const
{
    if (statisticsPending_) {
        statisticsPending_ = false;
        lastStatistics_ = computeFitStatistics(fittedData(), *lastFit_);
    }
    return lastStatistics_;
}

double Session::studentizedResidual(std::int32_t row) const
{
    std::int32_t k = row;
    if (!fittedRows_.empty()) {
        const auto at = std::lower_bound(fittedRows_.begin(), fittedRows_.end(), row);
        k = at != fittedRows_.end() && *at == row ? static_cast<std::int32_t>(at - fittedRows_.begin()) + 1 : 0;
    }
    const std::optional<FitStatistics>& statistics = lastStatistics();
    if (!statistics || k < 1 || static_cast<std::size_t>(k) > statistics->studentized.size())
        return std::numeric_limits<double>::quiet_NaN();
    return statistics->studentized[static_cast<std::size_t>(k - 1)];
}

double Session::adjustedSigma(std::int32_t point) const
{
    const std::optional<FitStatistics>& statistics = lastStatistics();
    if (!statistics || point < 1 || point > adjustment_.count) return std::numeric_limits<double>::quiet_NaN();
    // Callers ask for every point in turn; a reading met before is not inverted again.
    const ElectrodeParameters p = parameters();
    if (!inversions_ || std::bit_cast<RawParameters>(inversions_->parameters()) != std::bit_cast<RawParameters>(p))
        inversions_.emplace(p);
    return adjustedEmfSigma(p, statistics->covariance,
                            inversions_->find(pointOr0(adjustment_.emf, point).value()).inversion);
}

FileOutcome Session::saveCalibrationFile(const std::string& path, const std::vector<TextRecord>& points)
{
    const FileOutcome outcome = writeCalibrationFile(path, {constantTexts_[0], constantTexts_[1]}, points);
    if (outcome.ok) captions_.fileName[0] = path;
    return outcome;
}

std::string Session::calibrationRecordEndingData(const std::vector<TextRecord>& points) const
{
    // The header is two numbers whatever they are; 0, 0 ends nothing there.
    const TextRecord constants{constantTexts_[0], constantTexts_[1]};
    if (!valuesAsWritten(constants)) return "The constants" + shown(constants) + kEndsData;
    return pointEndingData(points);
}

FileOutcome Session::saveAdjustedFile(const std::string& path, const std::vector<TextRecord>& points)
{
    return nameAdjustedFile(path, writeAdjustedFile(path, points));
}

FileOutcome Session::saveAdjustedFile(const std::string& path, const AdjustedPoints& points)
{
    return nameAdjustedFile(path, writeAdjustedFile(path, points.size(), [&points](std::string& out, std::size_t i) {
                                points.appendLine(out, i);
                            }));
}

FileOutcome Session::nameAdjustedFile(const std::string& path, FileOutcome outcome)
{
    if (outcome.ok) captions_.fileName[1] = path;
    return outcome;
}

}  // namespace quorlin
