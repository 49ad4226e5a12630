#include "run.h"

#include "io/data_files.h"
#include "support/temp_folder.h"
#include "support/titration.h"
#include "wording/fit_details.h"

#include <gtest/gtest.h>

#include <filesystem>

#include <algorithm>
#include <cstdlib>
#include <sstream>
#include <sys/wait.h>
#include <tuple>

namespace quorlin::cli {
namespace {

const std::string kSample = QUORLIN_SAMPLE_DATA "/calibration.txt", kAdjust = QUORLIN_SAMPLE_DATA "/adjustment.txt";

struct Result {
    int status;
    std::string out, err;
};

Result run(const std::vector<std::string>& args, RegionalSettings regional = {})
{
    std::ostringstream out, err;
    return {Run(args, regional, out, err), out.str(), err.str()};  // a braced list runs left to right
}

TEST(QuorlinCli, CalibratePrintsTheCaptionsOrJsonWithTheSameValues)
{
    const Result plain = run({"calibrate", kSample});
    EXPECT_EQ(plain.status, 0);
    EXPECT_EQ(plain.out + plain.err, "Ezero 405.1±0.3\nSlope 59.13±0.10\nj corr 58.8±3\nRms error = 0.1129\n");

    const Result json = run({"--json", "calibrate", kSample});
    EXPECT_EQ(json.status, 0);
    for (const char* text : {R"("outcome":"converged")", R"("message":"")", R"("pH":[)", R"("residuals":[)",
                             R"("captions":{"ezero":"405.1±0.3","slope":"59.13±0.10","jcorr":"58.8±3",)"
                             R"("rms":"Rms error = 0.1129"})"})
        EXPECT_NE(json.out.find(text), std::string::npos) << text << '\n' << json.out;
    // The fit's numbers come before the captions' texts of the same names.
    const std::tuple<std::string, double, double> numbers[] = {
        {R"("points":)", 15, 0},     {R"("ezero":)", 405.1, 0.05},   {R"("slope":)", 59.13, 0.005},
        {R"("jcorr":)", 58.8, 0.05}, {R"("rms":)", 0.1129, 0.00005}, {R"("sigma":[)", 0.3, 0.05}};
    for (const auto& [key, shown, within] : numbers)
        EXPECT_NEAR(std::stod(json.out.substr(json.out.find(key) + key.size())), shown, within) << key;
}

TEST(QuorlinCli, AdjustWritesTabSeparatedCrLfLinesThatReadBack)
{
    testing::TempFolder folder;
    const std::string path = (folder.path() / "adjusted.txt").string();
    const Result r = run({"adjust", "-o", path, kSample, kAdjust});
    EXPECT_EQ(r.status, 0);
    // The first reading lies below the calibration's lowest emf, 227.56.
    EXPECT_EQ(r.out + r.err, "quorlin-cli: 1 adjusted value lies outside the calibrated emf range\n");
    const std::string bytes = testing::ReadBytes(path);
    AdjustmentData in, back;
    ASSERT_TRUE(readAdjustmentFile(in, kAdjust).ok && readAdjustmentFile(back, path).ok);
    for (const char c : {'\t', '\r', '\n'}) EXPECT_EQ(std::count(bytes.begin(), bytes.end(), c), 10) << int(c);
    ASSERT_EQ(back.volume, in.volume);
    // j corr·[H+], positive and a few mV at most, comes off each reading.
    for (std::size_t i = 1; i <= 10; ++i) EXPECT_NEAR(back.emf[i].value(), in.emf[i].value() - 2.5, 2.5);
    // Points whatever the convention, and the same bytes without -o.
    EXPECT_EQ(run({"adjust", kSample, kAdjust}, {',', '.'}).out, bytes);
}

TEST(QuorlinCli, ExcludeGivesTheBytesOfTheFileWithThosePointsDeleted)
{
    testing::TempFolder folder;
    const std::string text = testing::CalibrationFileText({}, 15);
    // Lines 3 and 7 after the constants go.
    std::string cut = text;
    for (const int line : {7, 3}) {
        std::size_t at = 0;
        for (int i = 0; i < line; ++i) at = cut.find("\r\n", at) + 2;
        cut.erase(at, cut.find("\r\n", at) + 2 - at);
    }
    const std::string all = folder.write("all.txt", text);
    for (const std::vector<std::string>& command :
         {std::vector<std::string>{"calibrate", "--json"}, {"calibrate"}, {"adjust", "--json", kAdjust}}) {
        std::vector<std::string> excluded = command, deleted = command;
        excluded.insert(excluded.begin() + 1, {all, "--exclude", "7,3"});
        deleted.insert(deleted.begin() + 1, folder.write("cut.txt", cut));
        Result a = run(excluded), b = run(deleted);
        EXPECT_EQ(a.status, b.status);
        // The JSON names the points left out; nothing else tells the two apart.
        if (const std::size_t at = a.out.find(R"("excluded":[3,7])"); at != std::string::npos)
            a.out.replace(at, 16, R"("excluded":[])");
        EXPECT_EQ(a.out + a.err, b.out + b.err) << command[0];
    }
    const std::string json = run({"adjust", "--json", all, kAdjust}).out;
    EXPECT_NE(json.find(R"("correlation":[[1,)"), std::string::npos) << json;
    const std::size_t sigmas = json.find(R"("adjustedSigma":[)");
    ASSERT_NE(sigmas, std::string::npos);
    EXPECT_EQ(
        std::count(json.begin() + static_cast<std::ptrdiff_t>(sigmas), json.begin() + json.find(']', sigmas), ','), 9);
    EXPECT_EQ(run({"calibrate", all, "--exclude", "16"}).status, 2);
    EXPECT_EQ(run({"calibrate", all, "--exclude", "3,x"}).status, 2);
}

// j corr −101 turns the electrode function over at pH 0.6, below the points (pH 1.7 to 3):
// a reading at pH 1.2 of the model meets pH 0 and 14 on one side.
TEST(QuorlinCli, AdjustFlagsDoubtfulValuesAndFindsThePhOnTheCalibratedSideOfATurn)
{
    testing::TempFolder folder;
    const testing::ElectrodeModel model{.ezero = 400, .slope = 59, .jcorr = -101};
    const std::string calibration = folder.write("turn.txt", testing::CalibrationFileText(model, 15));
    const std::string readings = folder.write("r.txt", "1\t322.827\n2\t900\n3\t-900\n4\t250\n");
    const Result r = run({"adjust", "--json", calibration, readings});
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.err, "quorlin-cli: 3 adjusted values lie outside the calibrated emf range; 2 readings have no pH in "
                     "0–14 and are adjusted as at pH 0; 1 reading is adjusted on the calibrated side of the "
                     "electrode function's turning point at pH 0.59\n");
    EXPECT_NE(r.out.find(R"("outsideCalibration":[1,2,3],"noRoot":[2,3],"turningPoint":[1]})"), std::string::npos)
        << r.out;
    const std::size_t adjusted = r.out.find(R"("adjusted":[")") + 13;
    EXPECT_NEAR(std::stod(r.out.substr(adjusted)), 400 - 59 * 1.2, 0.1);  // not 322.827 + 101
    EXPECT_NE(r.out.find(R"("adjustedSigmaTotal":[)"), std::string::npos);
}

TEST(QuorlinCli, ExitStatusesAndOneLineComplaints)
{
    testing::TempFolder folder;
    const std::string five = folder.write("five.txt", testing::CalibrationFileText({}, 5));
    const std::string zeroTotal = folder.write("zero.txt", "0.1,-0.5\n0.5,230\n1,240\n2,250\n3,255\n4,258\n5,260\n");
    const std::string dir = folder.path().string(), never = dir + "/never.txt", noFolder = dir + "/no/out.txt";
    const std::string empty = folder.write("empty.txt", "\r\n"), kept = folder.write("kept.txt", "kept");
    const std::string zeroAdjusted = folder.write("zero.csv", "0,0.001\r\n");
    const struct {
        std::vector<std::string> args;
        int status;
        std::string err = " (see quorlin-cli --help)\n";
    } cases[] = {
        {{"calibrate", five}, 1, "quorlin-cli: too few points\n"},
        {{"adjust", five, kAdjust, "-o", never}, 1, "quorlin-cli: too few points\n"},
        {{"adjust", kSample, empty, "-o", kept}, 1, "quorlin-cli: " + empty + ": no points to adjust\n"},
        {{"adjust", kSample, zeroAdjusted}, 1, "Point 1 (0, 0.00) would end the data when the file is read again"},
        {{"calibrate", zeroTotal}, 1, "quorlin-cli: model error: Point 1: volume plus initial volume is zero\n"},
        {{"calibrate", "--", "-none.txt"}, 2, "quorlin-cli: cannot read -none.txt: No such file or directory\n"},
        {{"adjust", kSample, never}, 2, "quorlin-cli: cannot read " + never + ": No such file or directory\n"},
        {{"adjust", kSample, kAdjust, "-o", noFolder}, 2, "quorlin-cli: could not save " + noFolder + ": "},
        {{}, 2},
        {{"calibrate", "a", "b"}, 2},
        {{"calibrate", "a", "-o", "out"}, 2},
        {{"fit", "a"}, 2},
        {{"adjust", "a"}, 2},
        {{"adjust", "a", "b", "-o"}, 2},
        {{"adjust", "a", "b", "-o", ""}, 2},
        {{"calibrate", "a", "--jsn"}, 2}};
    for (const auto& c : cases) {
        const Result r = run(c.args);
        EXPECT_EQ(std::pair(r.status, r.out), std::pair(c.status, std::string())) << ::testing::PrintToString(c.args);
        EXPECT_TRUE(r.err.starts_with("quorlin-cli: ") && r.err.find(c.err) != std::string::npos) << r.err;
        EXPECT_EQ(std::count(r.err.begin(), r.err.end(), '\n'), 1) << r.err;
    }
    EXPECT_FALSE(std::filesystem::exists(never));
    EXPECT_EQ(testing::ReadBytes(kept), "kept");
}

// A reading taken before any acid was added has no pH: the complaint says how to leave it
// out, and doing so calibrates.
TEST(QuorlinCli, AReadingBeforeAnyAcidIsLeftOutAsAdvised)
{
    testing::TempFolder folder;
    std::string text = testing::CalibrationFileText({}, 8);
    const std::string file = folder.write("first.txt", text.insert(text.find('\n') + 1, "0\t210\r\n"));
    const Result r = run({"calibrate", file});
    EXPECT_EQ(r.err, "quorlin-cli: model error: Point 1: volume and constants give no pH\n"
                     "quorlin-cli: leave point 1 out of the fit: add --exclude 1\n");
    EXPECT_EQ(std::pair(r.status, run({"calibrate", file, "--exclude", "1"}).status), std::pair(1, 0));
}

// Run in a folder of its own, where file names are what the user typed.
TEST(QuorlinCli, FileNamesAreTakenAsTheyAreAndInputsAreNeverOverwritten)
{
    testing::TempFolder folder;
    const std::string sample = testing::ReadBytes(kSample), readings = testing::ReadBytes(kAdjust);
    for (const char* name : {"?", "=cal.txt"}) folder.write(name, sample);
    folder.write("adj.txt", readings);
    const std::filesystem::path before = std::filesystem::current_path();
    std::filesystem::current_path(folder.path());
    // "?" once stood for "no file".
    const Result question = run({"calibrate", "?"});
    const Result csv = run({"calibrate", "--csv", "=cal.txt"});
    const Result plot = run({"plot", "=cal.txt", "-o", "plot.png"});
    const Result overAdjust = run({"adjust", "=cal.txt", "adj.txt", "-o", "./adj.txt"});
    const Result overReport = run({"report", "=cal.txt", "-o", "=cal.txt"});
    std::filesystem::current_path(before);

    EXPECT_EQ(std::pair(question.status, question.out), std::pair(0, run({"calibrate", kSample}).out));
    // A spreadsheet would run =cal.txt as a formula.
    EXPECT_TRUE(csv.out.find("\n'=cal.txt,15,") != std::string::npos) << csv.out;
    EXPECT_EQ(std::pair(plot.status, plot.err),
              std::pair(2, std::string("quorlin-cli writes plots as SVG; name the file .svg\n")));
    EXPECT_FALSE(std::filesystem::exists(folder.path() / "plot.png"));
    for (const Result& r : {overAdjust, overReport})
        EXPECT_TRUE(r.status == 2 && r.err.find("is an input file; nothing written") != std::string::npos) << r.err;
    EXPECT_EQ(testing::ReadBytes(folder.path() / "adj.txt"), readings);
    EXPECT_EQ(testing::ReadBytes(folder.path() / "=cal.txt"), sample);
}

TEST(QuorlinCli, DataThatEndEarlyAreNotedAndInTheJson)
{
    testing::TempFolder folder;
    std::string text = testing::CalibrationFileText({}, 14);
    std::size_t at = 0;
    for (int line = 1; line <= 9; ++line) at = text.find('\n', at) + 1;
    const std::string path = folder.write("early.txt", text.insert(at, "1,2,3\r\n"));
    const Result r = run({"--json", "calibrate", path});
    EXPECT_EQ(r.err, path + ": data end at line 10 (not two numbers); 8 points read\n");
    EXPECT_NE(r.out.find(R"("points":8,)"), std::string::npos) << r.out;
    EXPECT_NE(r.out.find(R"("dataEnd":{"line":10,"reason":"not two numbers"})"), std::string::npos) << r.out;
}

TEST(QuorlinCli, CsvHasAHeaderAndALinePerFileWithTheJsonsNumbers)
{
    testing::TempFolder folder;
    const std::string five = folder.write("fi\"ve,.txt", testing::CalibrationFileText({}, 5));
    const std::string cut = folder.write("cut.txt", "0.1,50\n1,300\nnone\n");
    const Result r = run({"calibrate", "--csv", kSample, five, cut});
    EXPECT_EQ(r.status, 1);
    const std::string json = run({"calibrate", "--json", kSample}).out;
    std::string expected =
        "file,points,ezero,sigma_ezero,slope,sigma_slope,jcorr,sigma_jcorr,rms,outcome,warning,note\n" + kSample
        + ",15";
    const auto value = [&json](const std::string& key, std::size_t after = 0) {
        const std::size_t at = json.find(key, after) + key.size();
        return "," + json.substr(at, json.find_first_of(",]}", at) - at);
    };
    const std::size_t sigma = json.find("\"sigma\":[") + 9;
    expected += value("\"ezero\":") + value("", sigma) + value("\"slope\":") + value(",", sigma) + value("\"jcorr\":")
                + value(",", json.find(',', sigma) + 1) + value("\"rms\":") + ",converged,,\n";
    expected += "\"" + folder.path().string() + "/fi\"\"ve,.txt\",5,,,,,,,,too few points,,\n";
    expected += cut + ",1,,,,,,,,too few points,," + cut + ": data end at line 3 (not two numbers); 1 point read\n";
    EXPECT_EQ(r.out, expected);
    EXPECT_EQ(run({"calibrate", "--csv", kSample, "/none"}).status, 2);
}

// Six points at two volumes: the fit and its exit status stand; every command says on
// standard error, the JSON in "warnings" and the CSV in "warning", that the points do not
// determine it.
TEST(QuorlinCli, EveryCommandWarnsOfAnUndeterminedFit)
{
    testing::TempFolder folder;
    const std::string two = folder.write("two.txt", "0.5,50\n0.5,250\n0.5,250.3\n0.5,249.8\n3,300\n3,300.2\n3,299.9\n");
    const std::string warning = "Undetermined fit: the points do not determine Ezero, Slope and j corr, so the values "
                                "and standard deviations shown mean nothing; calibrate with points at more different "
                                "volumes.",
                      out = (folder.path() / "out").string();
    const std::vector<std::vector<std::string>> commands = {
        {"calibrate", two},       {"calibrate", "--json", two},      {"calibrate", "--csv", two},
        {"adjust", two, kAdjust}, {"plot", two, "-o", out + ".svg"}, {"report", two, "-o", out + ".html"}};
    for (const std::vector<std::string>& args : commands) {
        const Result r = run(args);
        EXPECT_TRUE(r.status == 0 && r.err.ends_with(two + ": " + warning + "\n")) << args[1] << r.err;
        const std::string listed = args[1] == "--json"  ? R"("warnings":[")" + warning + R"("],"runsTest":null)"
                                   : args[1] == "--csv" ? ",converged,\"" + warning + "\",\n"
                                                        : "";
        EXPECT_NE(r.out.find(listed), std::string::npos) << r.out;
    }
}

// Whether the text is one JSON value, as Python's json module reads it, NaN refused.
bool validJson(const testing::TempFolder& folder, const std::string& text)
{
    const std::string path = folder.write("out.json", text);
    const std::string check = "python3 -c 'import json,sys; json.load(open(sys.argv[1]), parse_constant=int)' ";
    return std::system((check + path + " 2>/dev/null").c_str()) == 0;
}

TEST(QuorlinCli, JsonStaysValidWhateverTheFileNames)
{
    testing::TempFolder folder;
    const std::string whole = testing::CalibrationFileText({}, 14);
    const std::string early = std::string(whole).insert(whole.find('\n', whole.size() / 2) + 1, "1,2,3\r\n");
    for (const std::string& bytes : {whole, early}) {
        const std::string odd = folder.write("run \"1\" \\ a\\b.txt", bytes), plain = folder.write("run.txt", bytes);
        const std::string readings = folder.write("\"\\.txt", testing::ReadBytes(kAdjust));
        for (const std::vector<std::string>& args :
             {std::vector<std::string>{"calibrate", "--json", odd}, {"adjust", "--json", odd, readings}}) {
            const Result r = run(args);
            EXPECT_TRUE(validJson(folder, r.out)) << r.out;
            // No path is part of the object: the same bytes as for a plain name.
            std::vector<std::string> plainArgs = args;
            std::replace(plainArgs.begin(), plainArgs.end(), odd, plain);
            std::replace(plainArgs.begin(), plainArgs.end(), readings, kAdjust);
            EXPECT_EQ(r.out, run(plainArgs).out);
        }
    }
    EXPECT_FALSE(validJson(folder, R"({"a":"b\c"})") || validJson(folder, "[NaN]"));
}

// Help and version win over everything else; main hands Run's status to the shell.
TEST(QuorlinCli, HelpVersionAndTheProgramsExitStatus)
{
    EXPECT_EQ(run({"calibrate", "--version"}).out, "quorlin-cli " QUORLIN_PROJECT_VERSION "\n");
    EXPECT_TRUE(run({"bogus", "-h"}).out.starts_with("Usage: quorlin-cli calibrate CALFILE"));
    EXPECT_EQ(WEXITSTATUS(std::system("'" QUORLIN_CLI_PATH "' --help >/dev/null")), 0);
    EXPECT_EQ(WEXITSTATUS(std::system("'" QUORLIN_CLI_PATH "' 2>/dev/null")), 2);
}

}  // namespace
}  // namespace quorlin::cli

namespace quorlin::cli {
namespace {

TEST(QuorlinCli, LogAddExitsByTheVerdictAndRecordsOnlyConvergedCalibrations)
{
    testing::TempFolder folder;
    const std::string logbook = (folder.path() / "logbook.sqlite").string();
    const std::string fewPoints = folder.write("few.txt", testing::CalibrationFileText({}, 5));
    const auto log = [&logbook](std::vector<std::string> words) {
        words.insert(words.begin(), "log");
        words.insert(words.end(), {"--logbook", logbook});
        return run(words);
    };
    const std::tuple<std::vector<std::string>, int, std::string> steps[] = {
        {{"add", kSample, "--electrode", "E-1"},
         0,
         "Entry 1: Slope 100.0 % of Nernst at 25 °C (no temperature given) — within limits\n"},
        {{"limits", "--electrode", "E-1", "--rms-max", "0.1", "--valid-days", "none"}, 0, "Largest rms: 0.1 mV\n"},
        {{"add", kSample, "--electrode", "E-1", "--temperature", "20"},
         3,
         "Entry 2: Slope 101.7 % of Nernst at 20 °C — outside limits: rms 0.113 mV above 0.1 mV\n"},
        {{"add", fewPoints, "--electrode", "E-1"}, 1, "too few points; nothing recorded\n"},
        {{"add", kSample}, 2, "log add needs --electrode ID"},
        {{"list", "--csv"}, 0, "\r\n2,"},
        {{"show", "3"}, 2, "no entry 3 in "},
    };
    for (const auto& [words, status, text] : steps) {
        const Result r = log(words);
        EXPECT_EQ(r.status, status) << words[0] << r.err;
        EXPECT_NE((r.out + r.err).find(text), std::string::npos) << r.out << r.err;
    }
}

}  // namespace
}  // namespace quorlin::cli
