#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace quorlin {

// One recorded calibration as the logbook keeps it. Once added it is never changed; a
// correction is a new entry naming the one it corrects.
struct LogbookEntry {
    std::int64_t number = 0;  // given by the logbook when added
    std::string electrode;
    std::string operatorName;
    std::string note;
    std::optional<double> temperature;  // °C
    std::int64_t time = 0;              // seconds since 1970-01-01 UTC
    std::string file;                   // the calibration file's path; empty for none
    std::string sha256;                 // of the file's bytes, or of the points' text when edited
    bool editedAfterLoading = false;    // then the hash is that of the points' text
    std::string acidConcentration;      // the constants as typed
    std::string initialVolume;
    std::int64_t pointCount = 0;
    std::string leftOut;  // point numbers left out of the fit, "3, 7"
    double ezero = 0.0;
    double ezeroSigma = 0.0;
    double slope = 0.0;
    double slopeSigma = 0.0;
    double jcorr = 0.0;
    double jcorrSigma = 0.0;
    double rms = 0.0;
    std::string outliers;  // outlier candidates' point numbers
    std::string warnings;  // the statistics' warnings, one a line
    std::string version;   // of the program that recorded it
    bool passed = false;
    std::string verdict;
    std::optional<std::int64_t> corrects;  // the entry this one corrects

    bool operator==(const LogbookEntry&) const = default;
};

}  // namespace quorlin
