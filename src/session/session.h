#pragma once

#include "core/data_sets.h"
#include "core/fit.h"
#include "core/fit_statistics.h"
#include "core/initial_values.h"
#include "core/inversion_table.h"
#include "core/point_exclusions.h"
#include "io/data_files.h"
#include "session/adjusted_points.h"
#include "session/captions.h"
#include "text/number_text.h"

#include <array>
#include <cstdint>
#include <future>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace quorlin {

// How the calibrate command ended. The first three are its checks, which the window
// answers with a beep (or, without a file, a save dialog first) and no message.
enum class CalibrationOutcome {
    Converged,
    TooFewPoints,
    NoFile,
    MissingConstant,
    InvalidConstant,
    ModelError,
    FactorizationFailed,
    StepLimit,
};

struct CalibrationReport {
    CalibrationOutcome outcome = CalibrationOutcome::Converged;
    int missingConstant = 0;  // with Missing/InvalidConstant: 0 acid concentration, 1 initial volume
    ModelOutcome model;       // with ModelError: why the titration model stopped
    // Starting captions beyond single-precision range; each started the fit from 0 and is
    // reported as "invalid entry for number" before the outcome's own message.
    int outOfRangeStarts = 0;

    bool converged() const { return outcome == CalibrationOutcome::Converged; }
};

// "converged", "too few points", ...: the outcome as quorlin-cli names it.
std::string_view outcomeName(CalibrationOutcome outcome);

// What a message box shows for a failed calibration: "failed at FACT", "Calibration
// failed", the model failure naming the point, or the constant whose text is no number;
// "" where the window only beeps.
std::string calibrationMessage(const CalibrationReport& report);

// A note for data that ended early on reading, "" when they did not:
// "calibration.txt: data end at line 9 (not two numbers); 8 points read".
std::string dataEndNote(std::string_view path, const FileOutcome& outcome, std::int32_t pointsRead);

// The first point of a save that would end the data when the file is read again, named
// for the user: "Point 4 (0, 0) would end the data when the file is read again"; ""
// when every point reads back. Points are numbered from 1.
std::string pointEndingData(const std::vector<TextRecord>& points);

// The same for the records of adjusted points, made one at a time.
std::string pointEndingData(const AdjustedPoints& points);

// What a calibration prepares besides its result. The window, the plots and the reports
// show each point's residual; a caller that wants only the parameters spares eight bytes
// a point. Statistics asked for here are computed on a second core from the start of the
// fit until they are first used, when the titration is large enough to gain from it.
struct CalibrationExtras {
    bool residuals = true;
    bool statistics = false;
};

// One run of the program's workflow, shared by the window and quorlin-cli: the two data
// sets, the captions that carry state, the calibration in force, loading, calibrating,
// adjusting and saving. Plain data and files only; the caller talks to the user.
class Session {
public:
    static constexpr std::int32_t kMinimumPoints = 6;

    explicit Session(RegionalSettings regional = {});

    const RegionalSettings& regional() const { return regional_; }
    // Data handed out for changing first settle the statistics of the fit made from them.
    CalibrationData& calibration()
    {
        settleStatistics();
        loadedModel_.reset();
        return calibration_;
    }
    const CalibrationData& calibration() const { return calibration_; }
    AdjustmentData& adjustment() { return adjustment_; }
    const AdjustmentData& adjustment() const { return adjustment_; }
    const Captions& captions() const { return captions_; }
    // The parameters the next adjustment uses: those of the last converged fit, 0 before.
    ElectrodeParameters parameters() const { return lastFit_ ? lastFit_->parameters : ElectrodeParameters{}; }
    // The last converged fit, with its deviations.
    const std::optional<FitResult>& lastFit() const { return lastFit_; }
    // Only a converged calibration adjusts data: starting values would pass for results.
    bool canAdjust() const { return lastFit_.has_value(); }

    // The calibration points left out of the next fit; a calibration load clears them.
    PointExclusions& exclusions() { return exclusions_; }
    const PointExclusions& exclusions() const { return exclusions_; }
    std::int32_t includedCount() const { return calibration_.count - exclusions_.size(); }
    // The double-precision statistics of the last converged fit, when its points allow them;
    // computed on first use, as most runs never look at them.
    const std::optional<FitStatistics>& lastStatistics() const;
    // The points the last converged fit used, numbered as in the fit: the calibration data
    // themselves when none was left out.
    const CalibrationData& fittedData() const { return fittedCopy_ ? *fittedCopy_ : calibration_; }
    // The points the last converged fit left out, numbered as they were then.
    const std::vector<std::int32_t>& leftOutOfLastFit() const { return leftOut_; }
    // The studentised residual of grid point `row` in the last converged fit; NaN for a
    // point it left out or when there is none.
    double studentizedResidual(std::int32_t row) const;
    // The standard deviation of adjusted point `point` that the calibration's uncertainty
    // gives; NaN without statistics or where the adjustment fails.
    double adjustedSigma(std::int32_t point) const;

    // The acid concentration (0) and initial volume (1) as typed; the values follow. A
    // text other than the one before changes the calibration data.
    const std::array<std::string, 2>& constantTexts() const { return constantTexts_; }
    NumberEntry setConstantText(int which, std::string text);

    // The captions and the plot stay those of the last calibration until the next one
    // converges, or a load starts the captions anew; meanwhile they no longer match the
    // data.
    void markCalibrationDataChanged();
    bool resultsOutOfDate() const;

    const std::string& dataDirectory() const { return dataDirectory_; }
    void setDataDirectory(std::string folder) { dataDirectory_ = std::move(folder); }

    // A file that cannot be read leaves everything as it was. A file that can names its
    // data set and its folder becomes the data directory. A calibration load then shows
    // the constants as point number texts and computes the model values and starting
    // captions; a model failure is passed over, as the load stays free of messages. The
    // outcome says where the data ended early, if they did.
    FileOutcome loadCalibrationFile(const std::string& path);
    FileOutcome loadAdjustmentFile(const std::string& path);

    // The calibrate command: at least six points, a file and both constants typed, then
    // the model values, the fit from the starting captions, and on convergence the
    // parameter and rms captions. A fit that does not converge leaves the captions at
    // the starting values and the last converged calibration in force.
    CalibrationReport calibrate(CalibrationExtras extras = {});

    // The adjusted emf of every point with the calibration in force; nothing before a
    // calibration has converged. Valid while the adjustment data stay as they are.
    AdjustedPoints adjustedPoints() const;
    // Their texts.
    AdjustmentReport adjust() const;

    // Writes the constants as typed and the given point texts, or the volume and adjusted
    // texts; a file written names its data set, a failed save changes nothing.
    FileOutcome saveCalibrationFile(const std::string& path, const std::vector<TextRecord>& points);
    // As pointEndingData, and first the constants as typed: "The constants (0.1 M, 50) ...".
    std::string calibrationRecordEndingData(const std::vector<TextRecord>& points) const;
    FileOutcome saveAdjustedFile(const std::string& path, const std::vector<TextRecord>& points);
    FileOutcome saveAdjustedFile(const std::string& path, const AdjustedPoints& points);

private:
    FileOutcome nameAdjustedFile(const std::string& path, FileOutcome outcome);
    void nameFile(std::size_t set, const std::string& path);
    // Reads a file into a fresh data set and takes it only when the file could be read.
    template <typename Data>
    FileOutcome replaceOnRead(Data& data, std::size_t set, const std::string& path,
                              FileOutcome (*read)(Data&, const std::string&));
    void writeStartingCaptions(const ModelOutcome& line);
    // Computes the pending statistics, or waits for their thread, while the fitted points
    // are still those of the fit.
    void settleStatistics() const { lastStatistics(); }

    RegionalSettings regional_;
    CalibrationData calibration_;
    AdjustmentData adjustment_;
    Captions captions_;
    std::optional<FitResult> lastFit_;
    PointExclusions exclusions_;
    mutable std::optional<FitStatistics> lastStatistics_;
    // The readings adjustedSigma inverted, with the parameters they were inverted with.
    mutable std::optional<InversionTable> inversions_;
    mutable bool statisticsPending_ = false;
    // With points left out: the points the last converged fit used, and their grid numbers.
    std::optional<CalibrationData> fittedCopy_;
    std::vector<std::int32_t> fittedRows_;
    std::vector<std::int32_t> leftOut_;
    std::array<std::string, 2> constantTexts_;
    // What the model of the last calibration load gave, while its points and constants
    // are unchanged since: the calibrate command that follows need not compute it again.
    std::optional<ModelOutcome> loadedModel_;
    std::string dataDirectory_;
    bool resultsOutOfDate_ = false;
    // The statistics of a large titration while a thread computes them from the data
    // above; declared last, so that its end waits for the thread before they go.
    mutable std::future<std::optional<FitStatistics>> statisticsBeside_;
};

}  // namespace quorlin
