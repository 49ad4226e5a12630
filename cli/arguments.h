#pragma once

#include <span>
#include <string>

namespace quorlin::cli {

struct Arguments {
    enum class Command { Help, Version, Calibrate, Adjust };
    Command command = Command::Help;
    std::string calibrationFile;
    std::string dataFile;    // adjust only
    std::string outputFile;  // adjust only; empty writes to standard output
    bool json = false;
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
