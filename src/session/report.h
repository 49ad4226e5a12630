#pragma once

#include "session/session.h"

#include <string>

namespace quorlin {

// What the report states about its own making.
struct ReportContext {
    std::string version;
    std::string dateTime;
};

// One self-contained HTML page recording the session's calibration: the calibration
// file with its constants as typed, the parameters of the last converged fit as captions
// and as numbers that read back exactly, the rms error, the plots, the points and, once
// data are loaded and a fit converged, the adjusted data. The caller calibrates first: a
// fit converged for other data would be reported as this file's.
std::string calibrationReportHtml(const Session& session, const ReportContext& context);

}  // namespace quorlin
