#include "log_arguments.h"

#include "logbook/utc_time.h"

#include <charconv>
#include <cmath>
#include <map>
#include <set>

namespace quorlin::cli {

namespace {

ParsedLogArguments usageError(std::string text) { return {LogArguments{}, std::move(text)}; }

std::optional<double> number(const std::string& text)
{
    double value = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
    if (error != std::errc() || end != text.data() + text.size() || !std::isfinite(value)) return std::nullopt;
    return value;
}

// "95:102"; the lower end first.
std::optional<std::pair<double, double>> range(const std::string& text)
{
    const std::size_t colon = text.find(':');
    if (colon == std::string::npos) return std::nullopt;
    const auto low = number(text.substr(0, colon)), high = number(text.substr(colon + 1));
    if (!low || !high || *low > *high) return std::nullopt;
    return std::pair(*low, *high);
}

template <typename T, typename Read>
bool limitChange(const std::string& text, LimitChange<T>& change, Read read)
{
    if (text == "none") {
        change = std::optional<T>();
        return true;
    }
    const auto value = read(text);
    if (!value) return false;
    change = std::optional<T>(*value);
    return true;
}

std::optional<double> nonNegative(const std::string& text)
{
    const auto value = number(text);
    return value && *value >= 0 ? value : std::nullopt;
}

bool pointList(const std::string& text, std::vector<std::int32_t>& points)
{
    std::size_t start = 0;
    do {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        std::int32_t point = 0;
        const auto [end, error] = std::from_chars(text.data() + start, text.data() + comma, point);
        if (error != std::errc() || end != text.data() + comma || point < 1) return false;
        points.push_back(point);
        start = comma + 1;
    } while (start <= text.size());
    return true;
}

// The options each command takes besides --logbook.
const std::map<std::string, std::set<std::string>> kOptions = {
    {"add", {"--electrode", "--operator", "--note", "--temperature", "--exclude", "--corrects"}},
    {"list", {"--electrode", "--since", "--csv", "--json"}},
    {"show", {"--json"}},
    {"limits", {"--electrode", "--slope-percent", "--rms-max", "--ezero-drift-max", "--jcorr", "--valid-days"}},
    {"plot", {"--electrode", "-o"}},
};

}  // namespace

ParsedLogArguments parseLogArguments(std::span<const std::string> args)
{
    if (args.empty()) return usageError("log needs a command: add, list, show, limits or plot");
    const std::string& command = args[0];
    const auto options = kOptions.find(command);
    if (options == kOptions.end()) return usageError("unknown log command '" + command + "'");
    LogArguments a;
    std::vector<std::string> positional;
    bool electrodeGiven = false;
    for (std::size_t i = 1; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (arg.size() < 2 || arg[0] != '-') {
            positional.push_back(arg);
            continue;
        }
        if (arg != "--logbook" && !options->second.contains(arg))
            return usageError(arg + " does not belong to log " + command);
        if (arg == "--csv" || arg == "--json") {
            (arg == "--csv" ? a.csv : a.json) = true;
            continue;
        }
        if (i + 1 == args.size()) return usageError(arg + " needs a value");
        const std::string& value = args[++i];
        bool ok = true;
        if (arg == "--logbook") {
            a.logbook = value;
            ok = !value.empty();
        } else if (arg == "--electrode") {
            a.request.electrode = value;
            electrodeGiven = ok = !value.empty();
        } else if (arg == "--operator") {
            a.request.operatorName = value;
        } else if (arg == "--note") {
            a.request.note = value;
        } else if (arg == "--temperature") {
            a.request.temperature = number(value);
            ok = a.request.temperature && *a.request.temperature > -273.15;
        } else if (arg == "--exclude") {
            ok = pointList(value, a.excludedPoints);
        } else if (arg == "--corrects") {
            const auto n = number(value);
            ok = n && *n >= 1 && *n == std::floor(*n);
            if (ok) a.request.corrects = static_cast<std::int64_t>(*n);
        } else if (arg == "--since") {
            a.since = parseLocalDate(value);
            ok = a.since.has_value();
        } else if (arg == "-o") {
            a.outputFile = value;
            ok = !value.empty();
        } else if (arg == "--slope-percent") {
            a.slopePercent = range(value);
            ok = a.slopePercent.has_value();
        } else if (arg == "--rms-max") {
            ok = limitChange(value, a.rmsMax, nonNegative);
        } else if (arg == "--ezero-drift-max") {
            ok = limitChange(value, a.ezeroDriftMax, nonNegative);
        } else if (arg == "--jcorr") {
            ok = limitChange(value, a.jcorr, range);
        } else if (arg == "--valid-days") {
            ok = limitChange(value, a.validDays, nonNegative);
        }
        if (!ok) return usageError(arg + ": '" + value + "' is not what it takes (see quorlin-cli --help)");
    }
    if (a.csv && a.json) return usageError("--csv and --json exclude each other");

    const std::size_t wanted = command == "add" || command == "show" ? 1 : 0;
    if (positional.size() != wanted)
        return usageError(
            "log " + command
            + (wanted ? " takes one " + std::string(command == "add" ? "CALFILE" : "N") : " takes no file"));
    const bool needsElectrode = command == "add" || command == "limits" || command == "plot";
    if (needsElectrode && !electrodeGiven) return usageError("log " + command + " needs --electrode ID");
    if (command == "add") {
        a.command = LogArguments::Command::Add;
        a.calibrationFile = positional[0];
    } else if (command == "list") {
        a.command = LogArguments::Command::List;
    } else if (command == "show") {
        a.command = LogArguments::Command::Show;
        const auto n = number(positional[0]);
        if (!n || *n < 1 || *n != std::floor(*n)) return usageError("log show takes an entry number");
        a.number = static_cast<std::int64_t>(*n);
    } else if (command == "limits") {
        a.command = LogArguments::Command::Limits;
    } else {
        a.command = LogArguments::Command::Plot;
        if (a.outputFile.empty()) return usageError("log plot needs -o FILE.svg");
    }
    return {a, {}};
}

ElectrodeLimits changedLimits(ElectrodeLimits limits, const LogArguments& a)
{
    if (a.slopePercent) std::tie(limits.slopePercentMin, limits.slopePercentMax) = *a.slopePercent;
    if (a.rmsMax) limits.rmsMax = *a.rmsMax;
    if (a.ezeroDriftMax) limits.ezeroDriftMax = *a.ezeroDriftMax;
    if (a.jcorr) {
        limits.jcorrMin = *a.jcorr ? std::optional((*a.jcorr)->first) : std::nullopt;
        limits.jcorrMax = *a.jcorr ? std::optional((*a.jcorr)->second) : std::nullopt;
    }
    if (a.validDays) limits.validDays = *a.validDays;
    return limits;
}

}  // namespace quorlin::cli
