#pragma once

#include "logbook/limits.h"
#include "session/logbook_entry.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

namespace quorlin::cli {

// A limit given on the command line: a value, or "none" to check it no more.
template <typename T>
using LimitChange = std::optional<std::optional<T>>;

struct LogArguments {
    enum class Command { Add, List, Show, Limits, Plot };
    Command command = Command::List;
    std::string logbook;  // empty: the default logbook
    std::string calibrationFile;
    LogbookRequest request;
    std::vector<std::int32_t> excludedPoints;
    std::optional<std::int64_t> since;
    bool csv = false;
    bool json = false;
    std::int64_t number = 0;
    std::string outputFile;
    // log limits
    std::optional<std::pair<double, double>> slopePercent;
    LimitChange<double> rmsMax;
    LimitChange<double> ezeroDriftMax;
    LimitChange<std::pair<double, double>> jcorr;
    LimitChange<double> validDays;

    bool changesLimits() const { return slopePercent || rmsMax || ezeroDriftMax || jcorr || validDays; }
};

struct ParsedLogArguments {
    LogArguments arguments;
    std::string error;
};

// The words after "log".
ParsedLogArguments parseLogArguments(std::span<const std::string> args);

// The limits with the changes asked for applied.
ElectrodeLimits changedLimits(ElectrodeLimits limits, const LogArguments& a);

}  // namespace quorlin::cli
