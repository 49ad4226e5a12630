#pragma once

#include "core/adjusted_uncertainty.h"
#include "core/data_sets.h"
#include "core/fit.h"
#include "core/initial_values.h"
#include "core/reading_inversion.h"
#include "io/data_files.h"
#include "session/adjusted_points.h"
#include "session/calibration_record.h"
#include "session/data_set_states.h"
#include "session/edit_history.h"
#include "text/number_text.h"

#include <array>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

// How the calibrate command ended. The first four are its checks, which the window
// answers with a beep (or, without a file, a save dialog first).
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
    std::int32_t points = 0;  // with TooFewPoints: the points there were to fit
    ModelOutcome model;       // with ModelError: why the titration model stopped
    // Starting values beyond single-precision range; each started the fit from 0 and is
    // reported as an invalid entry before the outcome itself.
    int outOfRangeStarts = 0;

    bool converged() const { return outcome == CalibrationOutcome::Converged; }
};

// What a calibration prepares besides its parameters: the residuals of every point (for
// the window, plots and reports) and the double-precision statistics, or of these only
// the parameters' part, which the warnings on a fit need and which keeps nothing a point.
struct CalibrationExtras {
    bool residuals = true;
    bool statistics = false;
    bool parameterStatistics = false;
};

// The calibration data: the current state, where it came from, and the calibration in
// force for them, if any.
class Calibration {
public:
    const CalibrationState& state() const { return *state_; }
    const CalibrationData& data() const { return state_->data; }
    std::int32_t count() const { return state_->data.count; }
    std::int32_t includedCount() const { return count() - state_->exclusions.size(); }
    const std::array<std::string, 2>& constantTexts() const { return state_->constantTexts; }
    const PointExclusions& exclusions() const { return state_->exclusions; }
    // The text a point cell shows and a save writes.
    std::string text(PointCell cell) const { return shownText(state_->data, state_->typed, cell); }

    const std::optional<std::string>& file() const { return file_; }
    // How the file was read, where its data ended, and the data it gave; none before a
    // load. A save makes the data written the data of the file.
    const FileOutcome& read() const { return read_; }
    const std::shared_ptr<const CalibrationState>& loaded() const { return loaded_; }

    // The calibration in force, made from these data or from an earlier state of them.
    const std::shared_ptr<const CalibrationRecord>& record() const { return record_; }
    // The data differ from those last loaded or saved, in what a save would write.
    bool unsaved() const;
    // The data no longer are those the calibration in force fitted.
    bool outOfDate() const { return record_ && !sameFitInput(*record_->input, *state_); }
    // Without a calibration in force: the latest data whose model was computed (by the load
    // or a calibrate), which the plots show, and the starting line it gave, if it gave one.
    const std::shared_ptr<const CalibrationState>& modelled() const { return modelled_; }
    std::optional<ModelOutcome> startingLine() const;
    // How the last calibrate of these data ended, and the data it was given; none since
    // the load.
    const std::optional<CalibrationReport>& lastAttempt() const { return lastAttempt_; }
    const std::shared_ptr<const CalibrationState>& attempted() const { return attempted_; }

private:
    friend class Session;

    std::shared_ptr<const CalibrationState> state_ = std::make_shared<const CalibrationState>();
    std::optional<std::string> file_;
    FileOutcome read_;
    std::shared_ptr<const CalibrationState> loaded_;
    std::shared_ptr<const CalibrationRecord> record_;
    std::shared_ptr<const CalibrationState> modelled_;
    std::optional<CalibrationReport> lastAttempt_;
    std::shared_ptr<const CalibrationState> attempted_;
};

// The readings for adjustment and where they came from.
class Adjustment {
public:
    const ReadingsState& state() const { return *state_; }
    const PointSet& points() const { return state_->points; }
    std::int32_t count() const { return state_->points.count; }
    std::string text(PointCell cell) const { return shownText(state_->points, state_->typed, cell); }

    // The file the readings were loaded from or saved to, and the file adjusted data were
    // last saved to.
    const std::optional<std::string>& file() const { return file_; }
    const std::optional<std::string>& adjustedFile() const { return adjustedFile_; }
    const FileOutcome& read() const { return read_; }
    const std::shared_ptr<const ReadingsState>& loaded() const { return loaded_; }
    // The readings differ from those last loaded or saved, in what a save would write.
    bool unsaved() const;

private:
    friend class Session;

    std::shared_ptr<const ReadingsState> state_ = std::make_shared<const ReadingsState>();
    std::optional<std::string> file_;
    std::optional<std::string> adjustedFile_;
    FileOutcome read_;
    std::shared_ptr<const ReadingsState> loaded_;
};

// What storing a typed text into a point cell did.
struct CellEdit {
    NumberEntry entry;
    bool changed = false;  // false: nothing was stored
    bool refused = false;  // the text was not wholly a number, and the cell kept its value
};

// One run of the program's workflow, shared by the window and quorlin-cli: the two data
// sets, their undo history, the calibration in force, loading, calibrating, adjusting and
// saving. Plain data and files only: the caller talks to the user.
class Session {
public:
    static constexpr std::int32_t kMinimumPoints = 6;

    explicit Session(RegionalSettings regional = {});
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    const RegionalSettings& regional() const { return regional_; }
    const Calibration& calibration() const { return calibration_; }
    const Adjustment& adjustment() const { return adjustment_; }

    const std::string& dataDirectory() const { return dataDirectory_; }
    void setDataDirectory(std::string folder) { dataDirectory_ = std::move(folder); }

    // A file that cannot be read changes nothing. One that can replaces its data set,
    // names it, makes its folder the data directory and starts the undo history anew. A
    // calibration load ends the force of the calibration before it, shows the constants as
    // point number texts and computes the model values and the starting line.
    FileOutcome loadCalibrationFile(const std::string& path);
    FileOutcome loadAdjustmentFile(const std::string& path);

    // The edits. Each that changes the data is one step of the undo history.
    // A typed text goes through textToNumber; one that is not wholly a number, or equal
    // to the one shown, stores nothing.
    CellEdit editCell(DataSet set, PointCell cell, std::string text);
    // A zero point after `row` (first when the set is empty); its row.
    std::int32_t insertPoint(DataSet set, std::int32_t row);
    // Point `row` (point 1 for row 0); nothing in an empty set.
    void deletePoint(DataSet set, std::int32_t row);
    // Points from `first` on, replaced and appended beyond the count.
    void pastePoints(DataSet set, std::int32_t first, const std::vector<Number>& volume,
                     const std::vector<Number>& emf);
    // The acid concentration (0) or initial volume (1) as typed; its value follows.
    NumberEntry setConstantText(int which, std::string text);
    // Leaves the calibration point out of the fit, or takes it in again.
    void toggleExclusion(std::int32_t point);

    const EditHistory& history() const { return history_; }
    // The step taken back or done again, for the caller to show where; none at either end.
    std::optional<EditStep> undo();
    std::optional<EditStep> redo();

    // The calibrate command: at least six points to fit, a file and both constants, then
    // the model values and the fit. A fit that converges becomes the calibration in force;
    // one that does not leaves in force the calibration of an earlier state of these data.
    CalibrationReport calibrate(CalibrationExtras extras = {});

    // Only a calibration in force adjusts readings: starting values would pass for results.
    bool canAdjust() const { return calibration_.record_ != nullptr; }
    // The adjusted emf of every reading with the calibration in force; none without one.
    // It is worked out once for the readings as they are and shared by whoever asks.
    std::shared_ptr<const AdjustmentResult> adjustmentResult() const;
    AdjustedPoints adjustedPoints() const;
    AdjustmentReport adjust() const { return adjustedPoints().texts(); }
    // The standard deviations of adjusted reading `point`: the part the calibration's
    // uncertainty gives, and the total with the reading's own noise, taken as the rms
    // error of the fit; NaN without statistics or where the adjustment fails.
    AdjustedSigma adjustedSigma(std::int32_t point) const;

    // What a save writes: the constants as typed and every point as its cells show it.
    TextRecord constantsRecord() const;
    std::vector<TextRecord> calibrationRecords() const;
    // Every reading's volume and adjusted text, empty where there is none.
    std::vector<TextRecord> adjustedRecords() const;
    // Every reading as its cells show it.
    std::vector<TextRecord> readingsRecords() const;
    // adjustedSigma of every reading, in order, with the given statistics of the
    // calibration in force; none without one.
    std::vector<AdjustedSigma> adjustedSigmas(const FitStatistics& statistics) const;
    // A file written names its data set; a failed save changes nothing. Adjusted data
    // are no data set: their file is remembered, the readings keep theirs.
    FileOutcome saveCalibrationFile(const std::string& path);
    FileOutcome saveReadingsFile(const std::string& path);
    FileOutcome saveAdjustedFile(const std::string& path);
    FileOutcome saveAdjustedFile(const std::string& path, const AdjustedPoints& points);

private:
    void setCalibrationState(std::shared_ptr<const CalibrationState> state);
    void pushCalibrationEdit(EditKind kind, PointCell cell, CalibrationState changed);
    void pushReadingsEdit(EditKind kind, PointCell cell, ReadingsState changed);
    // Applies `change` (points, typed texts, exclusions or none) to a copy of the set's
    // state and pushes it as one step; the cell it returns is where the change was.
    template <typename Change>
    PointCell changePoints(DataSet set, EditKind kind, Change change);
    std::int32_t pointCount(DataSet set) const;
    void apply(const EditStep& step, bool forward);
    std::shared_ptr<const CalibrationState> modelledState();
    // Ezero and Slope from the line, as the captions show them, and j corr 0.
    ElectrodeParameters startingParameters(const ModelOutcome& line, CalibrationReport& report) const;

    // How readings invert with the calibration in force; none without one.
    const ReadingInversion* readingInversion() const;

    RegionalSettings regional_;
    // The reading inversion of a calibration in force, and the adjustment of a state of
    // the readings with it; the states are kept so that their addresses stay theirs.
    struct AdjustmentCache {
        std::shared_ptr<const CalibrationRecord> record;
        std::optional<ReadingInversion> inversion;
        std::shared_ptr<const ReadingsState> readings;
        std::shared_ptr<const AdjustmentResult> result;
    };
    mutable AdjustmentCache adjustmentCache_;
    Calibration calibration_;
    Adjustment adjustment_;
    EditHistory history_;
    std::string dataDirectory_;
};

}  // namespace quorlin
