#include "messages.h"

#include "io/record_reader.h"
#include "translatable.h"
#include "wording/adjustment_flags.h"
#include "wording/captions.h"
#include "wording/fit_details.h"
#include "wording/notices.h"

#include <ctime>
#include <optional>
#include <system_error>

namespace quorlin {

namespace {

std::string shown(const TextRecord& record)
{
    return " (" + std::string(trimSpaces(record.first)) + ", " + std::string(trimSpaces(record.second)) + ")";
}

std::string endsData() { return QUORLIN_TRANSLATE_NOOP("Messages", " would end the data when the file is read again"); }

std::string pointEnding(std::optional<std::size_t> i, const TextRecord& record)
{
    return "Point " + std::to_string(*i + 1) + shown(record) + endsData();
}

std::string setName(DataSet set)
{
    return set == DataSet::Calibration ? QUORLIN_TRANSLATE_NOOP("Messages", "Calibration data")
                                       : QUORLIN_TRANSLATE_NOOP("Messages", "Data for adjustment");
}

}  // namespace

std::string_view invalidEntryText() { return QUORLIN_TRANSLATE_NOOP("Messages", "invalid entry for number"); }

std::string notANumberText(std::string_view text, std::string_view kept)
{
    return "`" + std::string(text) + QUORLIN_TRANSLATE_NOOP("Messages", "` is not a number; the value stays ")
           + std::string(trimSpaces(kept));
}

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
    case CalibrationOutcome::FactorizationFailed: return QUORLIN_TRANSLATE_NOOP("Messages", "failed at FACT");
    case CalibrationOutcome::StepLimit: return QUORLIN_TRANSLATE_NOOP("Messages", "Calibration failed");
    case CalibrationOutcome::ModelError: return modelFailureText(report.model);
    case CalibrationOutcome::InvalidConstant:
        return std::string(report.missingConstant == 0 ? QUORLIN_TRANSLATE_NOOP("Messages", "Acid concentration: ")
                                                       : QUORLIN_TRANSLATE_NOOP("Messages", "Initial volume: "))
               + std::string(invalidEntryText());
    default: return {};
    }
}

std::string reportMessage(const CalibrationReport& report)
{
    const std::string message = calibrationMessage(report);
    if (report.outOfRangeStarts == 0) return message;
    return std::string(invalidEntryText()) + (message.empty() ? "" : "; " + message);
}

std::string modelFailureText(const ModelOutcome& outcome)
{
    const std::string at = "Point " + std::to_string(outcome.point) + ": ";
    switch (outcome.failure) {
    case ModelOutcome::Failure::None: return {};
    case ModelOutcome::Failure::ZeroTotalVolume:
        return at + QUORLIN_TRANSLATE_NOOP("Messages", "volume plus initial volume is zero");
    case ModelOutcome::Failure::NoPositiveH:
        return at + QUORLIN_TRANSLATE_NOOP("Messages", "volume and constants give no pH");
    case ModelOutcome::Failure::NoStartingLine:
        return QUORLIN_TRANSLATE_NOOP("Messages",
                                      "The points give no starting line: fewer than two different pH values");
    }
    return {};
}

std::string fileErrorText(const FileOutcome& outcome) { return std::generic_category().message(outcome.error); }

std::string notRegularFileText() { return QUORLIN_TRANSLATE_NOOP("Messages", "not a regular file"); }

std::string dataEndReasonText(DataEnd reason)
{
    if (reason == DataEnd::LineTooLong)
        return "line longer than " + std::to_string(LineReader::kMaxLineLength) + " bytes";
    if (reason == DataEnd::EndMark) return QUORLIN_TRANSLATE_NOOP("Messages", "end mark");
    return QUORLIN_TRANSLATE_NOOP("Messages", "not two numbers");
}

std::string dataEndNote(std::string_view path, const FileOutcome& outcome, std::int32_t pointsRead)
{
    if (outcome.endLine == 0) return {};
    if (outcome.endReason == DataEnd::EndMark)
        return std::string(path) + ": data end at the end mark at line " + std::to_string(outcome.endLine) + "; "
               + std::to_string(outcome.linesNotRead) + (outcome.linesNotRead == 1 ? " more line" : " more lines")
               + " not read";
    return std::string(path) + ": data end at line " + std::to_string(outcome.endLine) + " ("
           + dataEndReasonText(outcome.endReason) + "); " + std::to_string(pointsRead)
           + (pointsRead == 1 ? " point read" : " points read");
}

std::string calibrationDataEndNote(const Session& session)
{
    const Calibration& calibration = session.calibration();
    if (!calibration.loaded() || !calibration.file()) return {};
    return dataEndNote(*calibration.file(), calibration.read(), calibration.loaded()->data.count);
}

std::string pointEndingData(const std::vector<TextRecord>& records)
{
    const std::optional<std::size_t> i = firstRecordEndingData(records);
    return i ? pointEnding(i, records[*i]) : std::string();
}

std::string pointEndingData(const AdjustedPoints& points)
{
    const std::optional<std::size_t> i = points.firstRecordEndingData();
    return i ? pointEnding(i, points.record(*i)) : std::string();
}

std::string calibrationEndingData(const Session& session)
{
    // The header is two numbers whatever they are; 0, 0 ends nothing there.
    const TextRecord constants = session.constantsRecord();
    if (!valuesAsWritten(constants)) return "The constants" + shown(constants) + endsData();
    return pointEndingData(session.calibrationRecords());
}

bool notCalibrated(const Session& session)
{
    const Calibration& calibration = session.calibration();
    return !calibration.record() && calibration.lastAttempt() && !calibration.lastAttempt()->converged();
}

std::string notCalibratedReason(const Session& session)
{
    const Calibration& calibration = session.calibration();
    const std::optional<CalibrationReport>& attempt = calibration.lastAttempt();
    if (!notCalibrated(session) || !sameFitInput(*calibration.attempted(), calibration.state())) return {};
    switch (attempt->outcome) {
    case CalibrationOutcome::TooFewPoints:
        return std::to_string(attempt->points) + (attempt->points == 1 ? " point" : " points") + ", at least "
               + std::to_string(Session::kMinimumPoints) + " needed";
    case CalibrationOutcome::NoFile: return QUORLIN_TRANSLATE_NOOP("Messages", "the points have no file yet");
    case CalibrationOutcome::MissingConstant:
        return attempt->missingConstant == 0 ? QUORLIN_TRANSLATE_NOOP("Messages", "no acid concentration")
                                             : QUORLIN_TRANSLATE_NOOP("Messages", "no initial volume");
    default: return calibrationMessage(*attempt);
    }
}

std::string adjustmentRefusal(const Session& session)
{
    if (session.canAdjust()) return {};
    const std::string reason = notCalibratedReason(session);
    return std::string(QUORLIN_TRANSLATE_NOOP("Messages", "No calibration is in force"))
           + (reason.empty() ? "" : " (" + reason + ")") + QUORLIN_TRANSLATE_NOOP("Messages", ": calibrate first.");
}

std::string adjustmentStoppedText(std::int32_t point)
{
    return "Point " + std::to_string(point) + QUORLIN_TRANSLATE_NOOP("Messages", ": no pH can be found for this emf");
}

std::string calibrationTimeText(const CalibrationRecord& record)
{
    const std::time_t time = std::chrono::system_clock::to_time_t(record.time);
    std::tm local{};
    char text[32] = "";
    if (!localtime_r(&time, &local) || std::strftime(text, sizeof text, "%Y-%m-%d %H:%M:%S", &local) == 0) return {};
    return text;
}

std::string changedSinceText(const CalibrationRecord& record)
{
    return QUORLIN_TRANSLATE_NOOP("Messages", "The calibration data have changed since this calibration of ")
           + calibrationTimeText(record);
}

std::string calibrationInForceText(const Session& session)
{
    const CalibrationRecord* record = session.calibration().record().get();
    if (!record) return adjustmentRefusal(session);
    std::string text = "Calibration in force: " + fileCaption(record->file) + ", " + calibrationTimeText(*record);
    if (session.calibration().outOfDate())
        text += QUORLIN_TRANSLATE_NOOP("Messages", "; calibration data changed since");
    return text;
}

std::string editName(const EditStep& step)
{
    switch (step.kind) {
    case EditKind::ChangeAcidConcentration: return QUORLIN_TRANSLATE_NOOP("Messages", "Change acid concentration");
    case EditKind::ChangeInitialVolume: return QUORLIN_TRANSLATE_NOOP("Messages", "Change initial volume");
    case EditKind::EditPoint: return "Edit point (" + setName(step.set) + ")";
    case EditKind::AddPoint: return "Add point (" + setName(step.set) + ")";
    case EditKind::DeletePoint: return "Delete point (" + setName(step.set) + ")";
    case EditKind::PastePoints: return "Paste points (" + setName(step.set) + ")";
    case EditKind::LeavePointOut: return "Leave point out (" + setName(step.set) + ")";
    case EditKind::TakePointIn: return "Take point in (" + setName(step.set) + ")";
    }
    return {};
}

std::string statusLine(const Session& session)
{
    const Calibration& calibration = session.calibration();
    const Adjustment& adjustment = session.adjustment();
    // A note on the data read stands while the data shown are those read.
    if (calibration.loaded() && samePoints(calibration.loaded()->data, calibration.data()))
        if (std::string note = calibrationDataEndNote(session); !note.empty()) return note;
    if (const auto& loaded = adjustment.loaded(); loaded && samePoints(loaded->points, adjustment.points()))
        if (std::string note = dataEndNote(*adjustment.file(), adjustment.read(), loaded->points.count); !note.empty())
            return note;
    if (notCalibrated(session)) {
        const std::string reason = notCalibratedReason(session);
        const std::string advice =
            reason.empty() ? "" : leaveOutAdvice(calibration.data(), *calibration.lastAttempt(), Reader::Window);
        return "Not calibrated" + (reason.empty() ? "" : ": " + reason)
               + (calibration.startingLine() ? "; the parameters shown are starting values" : "")
               + (advice.empty() ? "" : ". " + advice);
    }
    const CalibrationRecord* record = calibration.record().get();
    if (record && record->statistics)
        if (std::vector<std::string> warnings = fitWarnings(record->fit, *record->statistics); !warnings.empty())
            return warnings.front();
    if (calibration.outOfDate()) return QUORLIN_TRANSLATE_NOOP("Messages", "Data changed since this calibration");
    return adjustmentFlagsText(session.adjustmentResult()->flags, session.regional());
}

}  // namespace quorlin
