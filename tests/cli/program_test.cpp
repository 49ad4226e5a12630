// Runs the built quorlin-cli as a separate program, as scripts do: what main adds to Run
// is the exit status reaching the shell.
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <sys/wait.h>

namespace quorlin {
namespace {

std::string quoted(const std::string& text)
{
    std::string result = "'";
    for (const char c : text) result += c == '\'' ? std::string("'\\''") : std::string(1, c);
    return result + "'";
}

// The exit status of quorlin-cli with `args` in the C locale, its standard output in `out`.
int runProgram(const testing::TempFolder& folder, const std::string& args, std::string& out)
{
    const auto outFile = folder.path() / "stdout";
    const std::string command = "env LC_ALL=C " + quoted(QUORLIN_CLI_PATH) + " " + args + " >" +
                                quoted(outFile.string()) + " 2>/dev/null </dev/null";
    const int raw = std::system(command.c_str());
    out = testing::ReadBytes(outFile);
    return WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
}

TEST(QuorlinCliProgram, CalibratesTheSampleDataAndExitStatusesReachTheShell)
{
    testing::TempFolder folder;
    std::string out;
    const std::string sample = quoted(std::string(QUORLIN_SOURCE_DIR) + "/data/calibration.txt");
    EXPECT_EQ(runProgram(folder, "calibrate " + sample, out), 0);
    EXPECT_TRUE(out.starts_with("Ezero ")) << out;
    EXPECT_NE(out.find("\nRms error = "), std::string::npos);

    EXPECT_EQ(runProgram(folder, "calibrate " + quoted(folder.write("few.txt", "0.1\t50\r\n1\t230\r\n")), out), 1);
    EXPECT_EQ(runProgram(folder, "calibrate " + quoted((folder.path() / "none.txt").string()), out), 2);
    EXPECT_EQ(runProgram(folder, "", out), 2);
}

}  // namespace
}  // namespace quorlin
