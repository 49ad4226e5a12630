// Runs the built quorlin-cli as a separate program, as scripts do.
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>
#include <vector>

namespace quorlin {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

struct ProgramResult {
    int status = -1;
    std::string out;
    std::string err;
};

std::string quoted(const std::string& text)
{
    std::string result = "'";
    for (const char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// The C locale is always installed, so the convention is known: a point.
ProgramResult runProgram(const TempFolder& folder, const std::vector<std::string>& args)
{
    std::string command = "env LC_ALL=C " + quoted(QUORLIN_CLI_PATH);
    for (const std::string& arg : args) command += " " + quoted(arg);
    const auto out = folder.path() / "stdout";
    const auto err = folder.path() / "stderr";
    command += " >" + quoted(out.string()) + " 2>" + quoted(err.string()) + " </dev/null";
    const int raw = std::system(command.c_str());
    ProgramResult result;
    result.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    result.out = ReadBytes(out);
    result.err = ReadBytes(err);
    return result;
}

const std::string kSampleCalibration = std::string(QUORLIN_SOURCE_DIR) + "/data/calibration.txt";
const std::string kSampleAdjustment = std::string(QUORLIN_SOURCE_DIR) + "/data/adjustment.txt";

TEST(QuorlinCliProgram, CalibratesTheSampleDataAndExitStatusesReachTheShell)
{
    TempFolder folder;
    const ProgramResult result = runProgram(folder, {"calibrate", kSampleCalibration});
    EXPECT_EQ(result.status, 0) << result.err;
    EXPECT_EQ(result.err, "");
    EXPECT_TRUE(result.out.starts_with("Ezero ")) << result.out;
    EXPECT_NE(result.out.find("\nRms error = "), std::string::npos);

    const ProgramResult json = runProgram(folder, {"calibrate", "--json", kSampleCalibration});
    EXPECT_EQ(json.status, 0);
    EXPECT_TRUE(json.out.starts_with("{\"outcome\":\"converged\",\"message\":\"\",\"points\":15,"));

    const ProgramResult few = runProgram(folder, {"calibrate", folder.write("few.txt", "0.1\t50\r\n1\t230\r\n2\t240\r\n")});
    EXPECT_EQ(few.status, 1);
    EXPECT_EQ(few.err, "quorlin-cli: too few points\n");
    EXPECT_EQ(runProgram(folder, {"calibrate", (folder.path() / "none.txt").string()}).status, 2);
    EXPECT_EQ(runProgram(folder, {}).status, 2);
    EXPECT_EQ(runProgram(folder, {"--version"}).out, std::string("quorlin-cli ") + QUORLIN_PROJECT_VERSION + "\n");
}

TEST(QuorlinCliProgram, AdjustedOutputIsTheSameOnStandardOutputAndInAFile)
{
    TempFolder folder;
    const ProgramResult toStdout = runProgram(folder, {"adjust", kSampleCalibration, kSampleAdjustment});
    ASSERT_EQ(toStdout.status, 0) << toStdout.err;
    const std::string outFile = (folder.path() / "adjusted.txt").string();
    const ProgramResult toFile = runProgram(folder, {"adjust", kSampleCalibration, kSampleAdjustment, "-o", outFile});
    ASSERT_EQ(toFile.status, 0) << toFile.err;
    EXPECT_EQ(toFile.out, "");
    EXPECT_EQ(ReadBytes(outFile), toStdout.out);
    EXPECT_EQ(std::count(toStdout.out.begin(), toStdout.out.end(), '\n'), 10);
    EXPECT_NE(toStdout.out.find("\t"), std::string::npos);
    EXPECT_TRUE(toStdout.out.ends_with("\r\n"));
}

}  // namespace
}  // namespace quorlin
