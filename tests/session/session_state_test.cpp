// The session as a state machine: random sequences of what a user does, with the
// invariants that make every view belong to the data it came from checked after each step.

#include "core/adjustment.h"
#include "session/plot_export.h"
#include "session/session.h"
#include "support/temp_folder.h"
#include "support/titration.h"
#include "wording/captions.h"
#include "wording/messages.h"
#include "wording/report.h"

#include <gtest/gtest.h>
#include <rapidcheck.h>
#include <rapidcheck/gtest.h>

#include <array>
#include <cmath>
#include <optional>
#include <tuple>
#include <vector>

namespace quorlin {
namespace {

const testing::TempFolder kFolder;
const std::array<std::string, 5> kCalibrationFiles{
    kFolder.write("fifteen.txt", testing::CalibrationFileText({}, 15)),
    kFolder.write("eight.txt", testing::CalibrationFileText({.jcorr = 60}, 8)),
    kFolder.write("five.txt", testing::CalibrationFileText({}, 5)),
    kFolder.write("zero-first.txt",
                  "0.1\t50\r\n0\t150.2\r\n"
                      + testing::CalibrationFileText({}, 7).substr(testing::CalibrationFileText({}, 7).find('\n') + 1)),
    (kFolder.path() / "missing.txt").string()};
const std::array<std::string, 2> kReadingFiles{kFolder.write("readings.txt", "0.5,227.28\n2,261.64\n3.5,274.6\n"),
                                               (kFolder.path() / "missing-readings.txt").string()};
const std::array<std::string, 5> kTexts{"231.5", "0", "abc", "1e39", "2.5"};

// What a fit reads, copied value by value: the record must hold exactly this.
struct FitInput {
    PointSet points;
    std::array<std::uint64_t, 2> constants{};
    std::vector<std::int32_t> exclusions;

    explicit FitInput(const CalibrationState& state)
        : points(state.data), constants{std::bit_cast<std::uint64_t>(state.data.acidConcentration),
                                        std::bit_cast<std::uint64_t>(state.data.initialVolume)},
          exclusions(state.exclusions.points())
    {
    }
    bool operator==(const FitInput& other) const
    {
        return samePoints(points, other.points) && constants == other.constants && exclusions == other.exclusions;
    }
};

struct States {
    const CalibrationState* calibration;
    const ReadingsState* readings;
    std::optional<std::string> calibrationFile, readingsFile;
    const CalibrationRecord* record;
    bool operator==(const States&) const = default;
};

States statesOf(const Session& s)
{
    return {&s.calibration().state(), &s.adjustment().state(), s.calibration().file(), s.adjustment().file(),
            s.calibration().record().get()};
}

void checkInvariants(const Session& s, const std::optional<FitInput>& recorded)
{
    const Calibration& calibration = s.calibration();
    const CalibrationRecord* record = calibration.record().get();
    RC_ASSERT((record != nullptr) == recorded.has_value());
    RC_ASSERT(calibration.outOfDate() == (recorded && !(*recorded == FitInput(calibration.state()))));
    const Captions captions = parameterCaptions(s);
    const PlotSource plot = plotSource(s);
    const bool reportsNone = calibrationReportHtml(s, {}).find("No calibration has converged") != std::string::npos;
    RC_ASSERT(reportsNone == !record);
    if (!record) {
        RC_ASSERT(captions.rmsError.empty() && !s.canAdjust() && s.adjust().texts.empty());
        return;
    }
    RC_ASSERT(FitInput(*record->input) == *recorded);
    RC_ASSERT(captions.rmsError.starts_with("Rms error = "));
    RC_ASSERT(plot.data == &record->allPoints() && plot.residuals == &record->allResiduals());
    RC_ASSERT(plot.faded == calibration.outOfDate());
    const AdjustmentResult expected = adjustData(
        s.adjustment().points(), ReadingInversion(record->fit.parameters, calibratedSpan(record->fittedData())));
    const AdjustmentReport adjusted = s.adjust();
    RC_ASSERT(adjusted.texts.size() == expected.adjusted.size());
    RC_ASSERT(adjusted.failedPoint == expected.failedPoint);
    RC_ASSERT(adjusted.flags.points == expected.flags.points);
    if (record->statistics && s.adjustment().count() > 0) {
        const AdjustedSigma sigma = s.adjustedSigmas(*record->statistics).front(), one = s.adjustedSigma(1);
        for (const auto part : {&AdjustedSigma::calibration, &AdjustedSigma::total}) {
            const double a = sigma.*part, b = one.*part;
            RC_ASSERT(a == b || (std::isnan(a) && std::isnan(b)));
        }
    }
}

// One step: what it is, and three numbers that choose its details.
using Step = std::tuple<int, int, int, int>;

RC_GTEST_PROP(SessionStates, EveryViewBelongsToTheDataItCameFrom, ())
{
    const auto steps = *rc::gen::container<std::vector<Step>>(rc::gen::tuple(
        rc::gen::inRange(0, 12), rc::gen::inRange(0, 5), rc::gen::inRange(0, 16), rc::gen::inRange(0, 5)));
    Session s;
    std::optional<FitInput> recorded;
    for (const auto& [kind, a, b, c] : steps) {
        const DataSet set = a % 2 == 0 ? DataSet::Calibration : DataSet::Adjustment;
        const std::int32_t count = set == DataSet::Calibration ? s.calibration().count() : s.adjustment().count();
        const States before = statesOf(s);
        switch (kind) {
        case 0: {  // load calibration data, then calibrate as the window does
            if (!s.loadCalibrationFile(kCalibrationFiles[static_cast<std::size_t>(a)]).ok) {
                RC_ASSERT(statesOf(s) == before);
                break;
            }
            RC_ASSERT(!s.calibration().record());
            recorded.reset();
            if (s.calibrate({.statistics = true}).converged()) recorded.emplace(s.calibration().state());
            break;
        }
        case 1:
            if (!s.loadAdjustmentFile(kReadingFiles[static_cast<std::size_t>(a % 2)]).ok)
                RC_ASSERT(statesOf(s) == before);
            break;
        case 2: s.editCell(set, {b % (count + 1) + 1, c % 2 + 1}, kTexts[static_cast<std::size_t>(c)]); break;
        case 3: {  // a commit of the text shown changes nothing
            const PointCell cell{b % (count + 1) + 1, c % 2 + 1};
            const std::string shown =
                set == DataSet::Calibration ? s.calibration().text(cell) : s.adjustment().text(cell);
            const EditStep* top = s.history().nextUndo();
            RC_ASSERT(!s.editCell(set, cell, shown).changed);
            RC_ASSERT(statesOf(s) == before && s.history().nextUndo() == top);
            break;
        }
        case 4: s.insertPoint(set, b); break;
        case 5: s.deletePoint(set, b % (count + 1)); break;
        case 6: s.toggleExclusion(b); break;
        case 7: s.setConstantText(a % 2, c < 3 ? kTexts[static_cast<std::size_t>(c + 1)] : " 50"); break;
        case 8: s.undo(); break;
        case 9: s.redo(); break;
        case 10:
            if (s.calibrate({.statistics = c % 2 == 0}).converged()) recorded.emplace(s.calibration().state());
            break;
        case 11: {  // a save that fails changes nothing; one that works reads back
            const bool good = c != 0;
            const std::string path = good ? (kFolder.path() / "saved.txt").string() : "/no/such/folder/saved.txt";
            const std::string ends = calibrationEndingData(s);
            const FileOutcome saved = s.saveCalibrationFile(path);
            RC_ASSERT(saved.ok == good);
            if (!good) RC_ASSERT(statesOf(s) == before);
            // The constants as typed head the file.
            const auto& constants = s.calibration().constantTexts();
            if (good) RC_ASSERT(testing::ReadBytes(path).starts_with(constants[0] + "\t" + constants[1] + "\r\n"));
            Session back;
            if (good && ends.empty() && back.loadCalibrationFile(path).ok)
                RC_ASSERT(back.calibration().count() == s.calibration().count());
            break;
        }
        }
        checkInvariants(s, recorded);
    }
}

}  // namespace
}  // namespace quorlin
