#include "arguments.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorlin::cli {
namespace {

using Args = std::vector<std::string>;
using Command = Arguments::Command;

// Options in any order; "--" lets file names start with a dash; help and version win
// over everything else.
TEST(parseArguments, CommandsFilesAndOptions)
{
    const struct {
        Args args;
        Arguments expected;
    } cases[] = {
        {{"calibrate", "run1.txt"}, {Command::Calibrate, "run1.txt", "", "", false}},
        {{"--json", "calibrate", "run1.txt"}, {Command::Calibrate, "run1.txt", "", "", true}},
        {{"adjust", "cal.txt", "-o", "out.txt", "data.txt", "--json"}, {Command::Adjust, "cal.txt", "data.txt", "out.txt", true}},
        {{"adjust", "--", "-cal.txt", "--json"}, {Command::Adjust, "-cal.txt", "--json", "", false}},
        {{"calibrate", "--help"}, {Command::Help, "", "", "", false}},
        {{"bogus", "-h"}, {Command::Help, "", "", "", false}},
        {{"--version"}, {Command::Version, "", "", "", false}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(::testing::PrintToString(c.args));
        const ParsedArguments parsed = parseArguments(c.args);
        ASSERT_EQ(parsed.error, "");
        EXPECT_EQ(parsed.arguments.command, c.expected.command);
        if (c.expected.command == Command::Help || c.expected.command == Command::Version) continue;
        EXPECT_EQ(parsed.arguments.calibrationFile, c.expected.calibrationFile);
        EXPECT_EQ(parsed.arguments.dataFile, c.expected.dataFile);
        EXPECT_EQ(parsed.arguments.outputFile, c.expected.outputFile);
        EXPECT_EQ(parsed.arguments.json, c.expected.json);
    }
}

TEST(parseArguments, UsageErrorsAreExplainedOnOneLine)
{
    for (const Args& args : std::vector<Args>{{},
                                              {"calibrate"},
                                              {"calibrate", "a", "b"},
                                              {"calibrate", "a", "-o", "out"},
                                              {"adjust", "a"},
                                              {"adjust", "a", "b", "c"},
                                              {"adjust", "a", "b", "-o"},
                                              {"adjust", "a", "b", "-o", ""},
                                              {"fit", "a"},
                                              {"calibrate", "a", "--jsn"}}) {
        const ParsedArguments parsed = parseArguments(args);
        EXPECT_FALSE(parsed.error.empty()) << ::testing::PrintToString(args);
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
    }
}

}  // namespace
}  // namespace quorlin::cli
