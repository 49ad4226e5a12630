#pragma once

#include "logbook/logbook.h"
#include "plot/surface.h"
#include "session/logbook_entry.h"
#include "session/session.h"

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

namespace quorlin {

// "Slope 99.9 % of Nernst at 25 °C — within limits", or the limits that failed.
std::string verdictText(const Verdict& verdict);

// "FILE is not a Quorlin logbook (damaged: …)", and the other refusals.
std::string logbookErrorText(const LogbookError& error);

// What the statistics say of a calibration, as the logbook keeps it: the outlier
// candidates' point numbers and the warnings, one a line.
struct StatisticsSummary {
    std::string outliers;
    std::string warnings;
};
StatisticsSummary logbookStatisticsSummary(const CalibrationRecord& record);

// Records the session's calibration in force with the user's words, judged by the
// logbook; the entry as stored. Throws LogbookError.
LogbookEntry recordCalibration(Logbook& logbook, const Session& session, const LogbookRequest& request,
                               const std::string& version);

// "Electrode E-17: last calibration 9 days ago; valid for 7" when the electrode's last
// passing calibration is older than its validity at `now`; "" otherwise.
std::string validityBanner(const Logbook& logbook, const std::string& electrode, std::int64_t now);

// The limits as `log limits` prints them, one "name: value" a line.
std::string limitsText(const ElectrodeLimits& limits);

// Every field of an entry with its label, in the order `log show` and the report list them.
std::vector<std::pair<std::string, std::string>> entryFields(const LogbookEntry& entry);

// A header line and a line per entry, comma-separated. A field a spreadsheet would take
// for a formula (leading = + - @) is led by an apostrophe.
std::string logbookCsv(const std::vector<LogbookEntry>& entries);

// One line per entry for a terminal: number, local time, electrode, operator, verdict.
std::string logbookListLine(const LogbookEntry& entry);

// The four trend plots of an electrode's entries (Ezero, Slope in % of Nernst, j corr and
// rms against the time since the first, in days, hours or minutes as they are apart)
// with the limits as bands.
void drawLogbookTrends(Surface& surface, const std::vector<LogbookEntry>& entries, const ElectrodeLimits& limits,
                       const RegionalSettings& regional);
std::string logbookTrendSvg(const std::vector<LogbookEntry>& entries, const ElectrodeLimits& limits,
                            const RegionalSettings& regional, int width, int height);

// The slope of an entry in % of the Nernst slope at its temperature (25 °C without one).
double slopePercent(const LogbookEntry& entry);

// Text of a number that reads back exactly; for a fitted parameter, which is single
// precision, as such.
std::string exactNumberText(double value);
std::string parameterText(double value);

}  // namespace quorlin
