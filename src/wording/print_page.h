#pragma once

#include "session/session.h"
#include "wording/report.h"

#include <string>
#include <vector>

namespace quorlin {

// The lines printed above the plots: the calibration shown (whether its data changed
// since, its file and constants, the parameters as the window shows them, the rms error,
// the points fitted, where the data ended early) and when and by which version it was
// printed.
std::vector<std::string> printedLines(const Session& session, const ReportContext& context);

}  // namespace quorlin
