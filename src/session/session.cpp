#include "session.h"

#include "core/adjusted_uncertainty.h"
#include "core/adjustment.h"
#include "core/fit_statistics.h"
#include "core/inversion.h"
#include "core/inversion_table.h"
#include "core/normal_equations.h"
#include "io/data_directory.h"
#include "session/included_points.h"
#include "session/point_editing.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace quorlin {

namespace {

// A box holding only white space was left empty.
bool isBlank(std::string_view text)
{
    return std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isspace(c) != 0; });
}

// Every point of a data set as its cells show it.
template <typename DataSet>
std::vector<TextRecord> shownRecords(const DataSet& set)
{
    std::vector<TextRecord> records;
    records.reserve(static_cast<std::size_t>(std::max(set.count(), 0)));
    for (std::int32_t i = 1; i <= set.count(); ++i) records.push_back({set.text({i, 1}), set.text({i, 2})});
    return records;
}

bool isPointCell(PointCell cell, std::int32_t count)
{
    return cell.row >= 1 && cell.row <= count && (cell.col == 1 || cell.col == 2);
}

}  // namespace

std::optional<ModelOutcome> Calibration::startingLine() const
{
    if (!modelled_ || !modelled_->model || !modelled_->model->ok()) return std::nullopt;
    return modelled_->model;
}

bool Calibration::unsaved() const
{
    if (!loaded_) return count() > 0;
    return !samePoints(state_->data, loaded_->data) || state_->constantTexts != loaded_->constantTexts
           || state_->typed != loaded_->typed;
}

bool Adjustment::unsaved() const
{
    if (!loaded_) return count() > 0;
    return !samePoints(state_->points, loaded_->points) || state_->typed != loaded_->typed;
}

Session::Session(RegionalSettings regional) : regional_(regional) {}

FileOutcome Session::loadCalibrationFile(const std::string& path)
{
    CalibrationState fresh;
    const FileOutcome outcome = readCalibrationFile(fresh.data, path);
    if (!outcome.ok) return outcome;
    fresh.constantTexts = {pointNumberText(fresh.data.acidConcentration), pointNumberText(fresh.data.initialVolume)};
    fresh.model = computeInitialValues(fresh.data);
    calibration_.state_ = calibration_.modelled_ = calibration_.loaded_ =
        std::make_shared<const CalibrationState>(std::move(fresh));
    calibration_.file_ = path;
    calibration_.read_ = outcome;
    calibration_.record_.reset();
    calibration_.lastAttempt_.reset();
    calibration_.attempted_.reset();
    dataDirectory_ = dataDirectoryOf(path, dataDirectory_);
    history_.clear();
    return outcome;
}

FileOutcome Session::loadAdjustmentFile(const std::string& path)
{
    ReadingsState fresh;
    const FileOutcome outcome = readAdjustmentFile(fresh.points, path);
    if (!outcome.ok) return outcome;
    adjustment_.state_ = adjustment_.loaded_ = std::make_shared<const ReadingsState>(std::move(fresh));
    adjustment_.file_ = path;
    adjustment_.adjustedFile_.reset();
    adjustment_.read_ = outcome;
    dataDirectory_ = dataDirectoryOf(path, dataDirectory_);
    history_.clear();
    return outcome;
}

void Session::pushCalibrationEdit(EditKind kind, PointCell cell, CalibrationState changed)
{
    EditStep step{kind, DataSet::Calibration, cell, calibration_.state_, nullptr, nullptr, nullptr};
    step.calibrationAfter = std::make_shared<const CalibrationState>(std::move(changed));
    setCalibrationState(step.calibrationAfter);
    history_.push(std::move(step));
}

void Session::pushReadingsEdit(EditKind kind, PointCell cell, ReadingsState changed)
{
    EditStep step{kind, DataSet::Adjustment, cell, nullptr, nullptr, adjustment_.state_, nullptr};
    adjustment_.state_ = step.readingsAfter = std::make_shared<const ReadingsState>(std::move(changed));
    history_.push(std::move(step));
}

template <typename Change>
PointCell Session::changePoints(DataSet set, EditKind kind, Change change)
{
    if (set == DataSet::Calibration) {
        CalibrationState changed = editableCopy(calibration_.state());
        const PointCell cell = change(changed.data, changed.typed, &changed.exclusions);
        pushCalibrationEdit(kind, cell, std::move(changed));
        return cell;
    }
    ReadingsState changed = adjustment_.state();
    const PointCell cell = change(changed.points, changed.typed, nullptr);
    pushReadingsEdit(kind, cell, std::move(changed));
    return cell;
}

std::int32_t Session::pointCount(DataSet set) const
{
    return set == DataSet::Calibration ? calibration_.count() : adjustment_.count();
}

CellEdit Session::editCell(DataSet set, PointCell cell, std::string text)
{
    CellEdit edit{textToNumber(text, regional_), false};
    if (!isPointCell(cell, pointCount(set))) return edit;
    if (text == (set == DataSet::Calibration ? calibration_.text(cell) : adjustment_.text(cell))) return edit;
    // Text read as some other value, or as none, would reach the fit in place of the one meant.
    edit.refused = !edit.entry.wasNumber();
    edit.changed = !edit.refused;
    if (edit.refused) return edit;
    changePoints(set, EditKind::EditPoint, [&](PointSet& points, TypedTexts& typed, PointExclusions*) {
        pointColumn(points, cell.col)[static_cast<std::size_t>(cell.row)] = edit.entry.number;
        typed[cell] = std::move(text);
        return cell;
    });
    return edit;
}

// An insertion, deletion or paste lays the points out anew: every cell shows its value
// again, as after a load.

std::int32_t Session::insertPoint(DataSet set, std::int32_t row)
{
    return changePoints(set, EditKind::AddPoint,
                        [row](PointSet& points, TypedTexts& typed, PointExclusions* exclusions) {
                            typed.clear();
                            const std::int32_t r = insertZeroPoint(points, row);
                            if (exclusions) exclusions->pointInserted(r);
                            return PointCell{r, 1};
                        })
        .row;
}

void Session::deletePoint(DataSet set, std::int32_t row)
{
    if (pointCount(set) <= 0) return;
    changePoints(set, EditKind::DeletePoint, [row](PointSet& points, TypedTexts& typed, PointExclusions* exclusions) {
        typed.clear();
        removePoint(points, row);
        if (exclusions) exclusions->pointRemoved(std::max(row, 1));
        return PointCell{std::clamp(row, 1, std::max(points.count, 1)), 1};
    });
}

void Session::pastePoints(DataSet set, std::int32_t first, const std::vector<Number>& volume,
                          const std::vector<Number>& emf)
{
    changePoints(set, EditKind::PastePoints, [&](PointSet& points, TypedTexts& typed, PointExclusions*) {
        typed.clear();
        return PointCell{storePoints(points, first, volume, emf), 1};
    });
}

NumberEntry Session::setConstantText(int which, std::string text)
{
    const NumberEntry entry = textToNumber(text, regional_);
    const auto i = static_cast<std::size_t>(which);
    if (text == calibration_.constantTexts()[i]) return entry;
    CalibrationState changed = editableCopy(calibration_.state());
    (which == 0 ? changed.data.acidConcentration : changed.data.initialVolume) = entry.number;
    changed.constantTexts[i] = std::move(text);
    pushCalibrationEdit(which == 0 ? EditKind::ChangeAcidConcentration : EditKind::ChangeInitialVolume, {},
                        std::move(changed));
    return entry;
}

void Session::toggleExclusion(std::int32_t point)
{
    if (point < 1 || point > calibration_.count()) return;
    // Each point's model values are its own, whether it is fitted or not.
    CalibrationState changed = calibration_.state();
    changed.exclusions.toggle(point);
    const EditKind kind = changed.exclusions.contains(point) ? EditKind::LeavePointOut : EditKind::TakePointIn;
    pushCalibrationEdit(kind, {point, 1}, std::move(changed));
}

void Session::setCalibrationState(std::shared_ptr<const CalibrationState> state)
{
    if (state->model) calibration_.modelled_ = state;
    calibration_.state_ = std::move(state);
}

void Session::apply(const EditStep& step, bool forward)
{
    if (step.set == DataSet::Calibration)
        setCalibrationState(forward ? step.calibrationAfter : step.calibrationBefore);
    else
        adjustment_.state_ = forward ? step.readingsAfter : step.readingsBefore;
}

std::optional<EditStep> Session::undo()
{
    const EditStep* step = history_.undo();
    if (!step) return std::nullopt;
    apply(*step, false);
    return *step;
}

std::optional<EditStep> Session::redo()
{
    const EditStep* step = history_.redo();
    if (!step) return std::nullopt;
    apply(*step, true);
    return *step;
}

std::shared_ptr<const CalibrationState> Session::modelledState()
{
    if (!calibration_.state_->model) {
        CalibrationState modelled = editableCopy(calibration_.state());
        modelled.model = computeInitialValues(modelled.data);
        // The same data, now with their model values.
        setCalibrationState(std::make_shared<const CalibrationState>(std::move(modelled)));
    }
    return calibration_.state_;
}

ElectrodeParameters Session::startingParameters(const ModelOutcome& line, CalibrationReport& report) const
{
    // The fit starts from the values as the captions show them: two decimals, single precision.
    const std::array<std::string, 3> shown{formatNumber(line.intercept, "###0.00", regional_),
                                           formatNumber(line.slope, "###0.00", regional_), "0.0"};
    ElectrodeParameters start{};
    for (std::size_t k = kEzero; k <= kJcorr; ++k) {
        const NumberEntry entry = textToNumber(shown[k - 1], regional_);
        if (entry.outOfRange) ++report.outOfRangeStarts;
        start[k] = static_cast<float>(entry.number.value());
    }
    return start;
}

CalibrationReport Session::calibrate(CalibrationExtras extras)
{
    CalibrationReport report;
    const auto end = [this, &report](CalibrationOutcome outcome) {
        report.outcome = outcome;
        calibration_.lastAttempt_ = report;
        calibration_.attempted_ = calibration_.state_;
        return report;
    };
    const CalibrationState& current = calibration_.state();
    report.points = calibration_.includedCount();
    if (report.points < kMinimumPoints) return end(CalibrationOutcome::TooFewPoints);
    if (!calibration_.file_) return end(CalibrationOutcome::NoFile);
    for (report.missingConstant = 0; report.missingConstant < 2; ++report.missingConstant)
        if (isBlank(current.constantTexts[static_cast<std::size_t>(report.missingConstant)]))
            return end(CalibrationOutcome::MissingConstant);
    // Text that is no number would reach the model as 0 and blame point 1 instead.
    for (report.missingConstant = 0; report.missingConstant < 2; ++report.missingConstant)
        if (!textToNumber(current.constantTexts[static_cast<std::size_t>(report.missingConstant)], regional_)
                 .wasNumber())
            return end(CalibrationOutcome::InvalidConstant);
    report.missingConstant = 0;

    // Points left out are fitted as if deleted, from a copy of the others.
    std::shared_ptr<const CalibrationState> input = calibration_.state_;
    std::optional<IncludedPoints> included;
    if (input->exclusions.empty()) {
        input = modelledState();
        report.model = *input->model;
    } else {
        included = includedPoints(input->data, input->exclusions);
        report.model = computeInitialValues(included->data);
        if (!report.model.ok() && report.model.point != 0) report.model.point = included->row(report.model.point);
    }
    if (!report.model.ok()) return end(CalibrationOutcome::ModelError);

    const CalibrationData& fitted = included ? included->data : input->data;
    const FitResult fit = fitParameters(fitted, startingParameters(report.model, report));
    switch (fit.outcome) {
    case FitOutcome::FactorizationFailed: return end(CalibrationOutcome::FactorizationFailed);
    case FitOutcome::StepLimit: return end(CalibrationOutcome::StepLimit);
    case FitOutcome::Converged: break;
    }

    auto record = std::make_shared<CalibrationRecord>();
    record->input = input;
    record->file = calibration_.file_;
    record->time = std::chrono::system_clock::now();
    record->fit = fit;
    if (included) {
        sumOfSquaredResiduals(included->data, fit.parameters);
        // The plots draw every point's residual, left-out points' too.
        CalibrationData all = editableCopy(*input).data;
        spreadModelValues(all, *included, fit.parameters);
        record->spread = std::move(all);
        record->included = std::move(included);
    } else if (extras.residuals) {
        reallocateFresh(record->residual, fitted.count);
        for (std::int32_t i = 1; i <= fitted.count; ++i)
            record->residual[static_cast<std::size_t>(i)] = residualAt(fitted, i, fit.parameters);
    }
    if (extras.statistics || extras.parameterStatistics)
        record->statistics = computeFitStatistics(
            record->fittedData(), fit, extras.statistics ? StatisticsScope::EveryPoint : StatisticsScope::Parameters);
    calibration_.record_ = std::move(record);
    return end(CalibrationOutcome::Converged);
}

const ReadingInversion* Session::readingInversion() const
{
    AdjustmentCache& cache = adjustmentCache_;
    if (cache.record != calibration_.record()) {
        cache = {calibration_.record(), std::nullopt, nullptr, nullptr};
        if (cache.record)
            cache.inversion.emplace(cache.record->fit.parameters, calibratedSpan(cache.record->fittedData()));
    }
    return cache.inversion ? &*cache.inversion : nullptr;
}

std::shared_ptr<const AdjustmentResult> Session::adjustmentResult() const
{
    const ReadingInversion* inversion = readingInversion();
    AdjustmentCache& cache = adjustmentCache_;
    if (!cache.result || cache.readings != adjustment_.state_) {
        cache.readings = adjustment_.state_;
        cache.result = std::make_shared<const AdjustmentResult>(inversion ? adjustData(adjustment_.points(), *inversion)
                                                                          : AdjustmentResult{});
    }
    return cache.result;
}

AdjustedPoints Session::adjustedPoints() const { return {adjustment_.points(), adjustmentResult(), regional_}; }

AdjustedSigma Session::adjustedSigma(std::int32_t point) const
{
    const CalibrationRecord* record = calibration_.record().get();
    if (!record || !record->statistics || point < 1 || point > adjustment_.count())
        return {std::numeric_limits<double>::quiet_NaN(), std::numeric_limits<double>::quiet_NaN()};
    const ReadingInversion& inversion = *readingInversion();
    return adjustedEmfSigmas(record->fit.parameters, record->statistics->covariance,
                             inversion.invert(pointOr0(adjustment_.points().emf, point).value()), record->fit.rms);
}

std::vector<AdjustedSigma> Session::adjustedSigmas(const FitStatistics& statistics) const
{
    const CalibrationRecord* record = calibration_.record().get();
    std::vector<AdjustedSigma> sigmas;
    if (!record) return sigmas;
    // Readings to 0.01 mV repeat; each value is inverted once.
    InversionTable inversions(*readingInversion());
    sigmas.reserve(static_cast<std::size_t>(std::max(adjustment_.count(), 0)));
    for (std::int32_t i = 1; i <= adjustment_.count(); ++i)
        sigmas.push_back(adjustedEmfSigmas(record->fit.parameters, statistics.covariance,
                                           inversions.find(pointOr0(adjustment_.points().emf, i).value()).inversion,
                                           record->fit.rms));
    return sigmas;
}

TextRecord Session::constantsRecord() const
{
    return {calibration_.constantTexts()[0], calibration_.constantTexts()[1]};
}

std::vector<TextRecord> Session::calibrationRecords() const { return shownRecords(calibration_); }

std::vector<TextRecord> Session::adjustedRecords() const
{
    const AdjustedPoints adjusted = adjustedPoints();
    std::vector<TextRecord> records;
    records.reserve(static_cast<std::size_t>(std::max(adjustment_.count(), 0)));
    for (std::int32_t i = 1; i <= adjustment_.count(); ++i) {
        const auto k = static_cast<std::size_t>(i - 1);
        records.push_back({adjustment_.text({i, 1}), k < adjusted.size() ? adjusted.adjustedText(k) : std::string()});
    }
    return records;
}

FileOutcome Session::saveCalibrationFile(const std::string& path)
{
    const FileOutcome outcome = writeCalibrationFile(path, constantsRecord(), calibrationRecords());
    if (outcome.ok) {
        calibration_.file_ = path;
        calibration_.read_ = {};
        calibration_.loaded_ = calibration_.state_;
    }
    return outcome;
}

std::vector<TextRecord> Session::readingsRecords() const { return shownRecords(adjustment_); }

FileOutcome Session::saveReadingsFile(const std::string& path)
{
    const FileOutcome outcome = writeAdjustedFile(path, readingsRecords());
    if (outcome.ok) {
        adjustment_.file_ = path;
        adjustment_.read_ = {};
        adjustment_.loaded_ = adjustment_.state_;
    }
    return outcome;
}

FileOutcome Session::saveAdjustedFile(const std::string& path)
{
    const FileOutcome outcome = writeAdjustedFile(path, adjustedRecords());
    if (outcome.ok) adjustment_.adjustedFile_ = path;
    return outcome;
}

FileOutcome Session::saveAdjustedFile(const std::string& path, const AdjustedPoints& points)
{
    const FileOutcome outcome = writeAdjustedFile(
        path, points.size(), [&points](std::string& out, std::size_t i) { points.appendLine(out, i); });
    if (outcome.ok) {
        adjustment_.file_ = path;
        adjustment_.read_ = {};
    }
    return outcome;
}

}  // namespace quorlin
