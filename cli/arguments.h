#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace quorlin::cli {

struct Arguments {
    enum class Command { Help, Version, Calibrate, Adjust, Plot, Report };
    Command command = Command::Help;
    std::string calibrationFile;
    std::vector<std::string> calibrationFiles;  // calibrate --csv: every file, the first included
    std::string dataFile;                       // adjust, and report when given
    std::string outputFile;                     // empty writes to standard output
    std::vector<std::int32_t> excludedPoints;   // --exclude: calibration points left out, from 1
    bool json = false;
    bool csv = false;
};

// The command line without the program name. On a usage error `error` holds a one-line
// explanation and `arguments` is not to be used.
struct ParsedArguments {
    Arguments arguments;
    std::string error;
};

ParsedArguments parseArguments(std::span<const std::string> args);

std::string usageText();
std::string versionText();

}  // namespace quorlin::cli
