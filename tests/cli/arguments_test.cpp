#include "arguments.h"

#include <gtest/gtest.h>

#include <vector>

namespace quorlin::cli {
namespace {

ParsedArguments parse(std::vector<std::string> args)
{
    return ParseArguments(args);
}

TEST(ParseArguments, CalibrateTakesOneFileAndJson)
{
    const ParsedArguments plain = parse({"calibrate", "run1.txt"});
    ASSERT_EQ(plain.error, "");
    EXPECT_EQ(plain.arguments.command, Arguments::Command::Calibrate);
    EXPECT_EQ(plain.arguments.calibrationFile, "run1.txt");
    EXPECT_FALSE(plain.arguments.json);

    const ParsedArguments json = parse({"--json", "calibrate", "run1.txt"});
    ASSERT_EQ(json.error, "");
    EXPECT_TRUE(json.arguments.json);
}

TEST(ParseArguments, AdjustTakesTwoFilesAndOptionsInAnyOrder)
{
    const ParsedArguments parsed = parse({"adjust", "cal.txt", "-o", "out.txt", "data.txt", "--json"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.arguments.command, Arguments::Command::Adjust);
    EXPECT_EQ(parsed.arguments.calibrationFile, "cal.txt");
    EXPECT_EQ(parsed.arguments.dataFile, "data.txt");
    EXPECT_EQ(parsed.arguments.outputFile, "out.txt");
    EXPECT_TRUE(parsed.arguments.json);
}

TEST(ParseArguments, DoubleDashLetsFileNamesStartWithADash)
{
    const ParsedArguments parsed = parse({"adjust", "--", "-cal.txt", "--json"});
    ASSERT_EQ(parsed.error, "");
    EXPECT_EQ(parsed.arguments.calibrationFile, "-cal.txt");
    EXPECT_EQ(parsed.arguments.dataFile, "--json");
    EXPECT_FALSE(parsed.arguments.json);
}

TEST(ParseArguments, HelpAndVersionWinOverEverythingElse)
{
    EXPECT_EQ(parse({"calibrate", "--help"}).arguments.command, Arguments::Command::Help);
    EXPECT_EQ(parse({"bogus", "-h"}).arguments.command, Arguments::Command::Help);
    EXPECT_EQ(parse({"--version"}).arguments.command, Arguments::Command::Version);
    EXPECT_EQ(parse({"--version"}).error, "");
}

TEST(ParseArguments, UsageErrorsAreExplainedOnOneLine)
{
    const std::vector<std::vector<std::string>> wrong = {
        {},
        {"calibrate"},
        {"calibrate", "a", "b"},
        {"calibrate", "a", "-o", "out"},
        {"adjust", "a"},
        {"adjust", "a", "b", "c"},
        {"adjust", "a", "b", "-o"},
        {"adjust", "a", "b", "-o", ""},
        {"fit", "a"},
        {"calibrate", "a", "--jsn"},
    };
    for (const auto& args : wrong) {
        const ParsedArguments parsed = parse(args);
        EXPECT_FALSE(parsed.error.empty()) << testing::PrintToString(args);
        EXPECT_EQ(parsed.error.find('\n'), std::string::npos);
    }
}

}  // namespace
}  // namespace quorlin::cli
