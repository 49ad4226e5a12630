#pragma once

#include "io/data_files.h"
#include "logbook/entry.h"
#include "session/session.h"

#include <string>

namespace quorlin {

// What the report states about its own making.
struct ReportContext {
    std::string version;
    std::string dateTime;
};

// One self-contained HTML page recording the calibration in force: its file with the
// constants as typed, the parameters as captions and as numbers that read back exactly,
// the rms error, the plots, the points it fitted and, once readings are loaded, the
// adjusted data. When the calibration data changed since, a line at the top says so.
// Without a calibration in force it says that none is and lists the current points.
// Beyond 10,000 points a table lists the first and last 1,000 and says where the rest are.
// The page goes to `sink` piece by piece as it is made; false once the sink fails.
bool writeCalibrationReport(const Session& session, const ReportContext& context, const ByteSink& sink);
// The same for a calibration recorded in the logbook as `entry`: a table after the file's
// names the electrode, operator, note, temperature, SHA-256, verdict and entry number.
bool writeCalibrationReport(const Session& session, const ReportContext& context, const ByteSink& sink,
                            const LogbookEntry* entry);
// The same page whole, for what is small.
std::string calibrationReportHtml(const Session& session, const ReportContext& context);

}  // namespace quorlin
