#include "logbook/logbook.h"
#include "logbook/sqlite.h"
#include "session/logbook_entry.h"
#include "support/temp_folder.h"
#include "wording/logbook_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <functional>
#include <sqlite3.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace quorlin {
namespace {

const std::string kSample = QUORLIN_SAMPLE_DATA "/calibration.txt";
const double kNaN = std::nan("");

// Reference values worked out apart from the program, R = 8.314462618 J/(mol K),
// F = 96485.33212 C/mol.
TEST(Logbook, NernstSlopeAndLimitsAgainstHandWorkedValues)
{
    for (const auto& [celsius, mV] : {std::pair(0.0, 54.19881), {25.0, 59.15935}, {37.0, 61.54041}, {50.0, 64.11989}})
        EXPECT_NEAR(nernstSlope(celsius), mV, 5e-6) << celsius;

    using K = LimitKind;
    ElectrodeLimits strict;
    strict.rmsMax = 0.2;
    strict.ezeroDriftMax = 2;
    strict.jcorrMin = 0;
    strict.jcorrMax = 400;
    const struct {
        JudgedValues values;
        std::optional<double> lastPassingEzero;
        double percent;
        std::vector<K> failed;
    } cases[] = {
        {{405, 59.16, 50, 0.1, std::nullopt}, std::nullopt, 100.001099, {}},
        {{405, 56.0, 50, 0.1, 25.0}, std::nullopt, 94.659594, {K::SlopeLow}},
        {{405, 59.0, 50, 0.1, 37.0}, std::nullopt, 95.871969, {}},
        {{405, 59.0, 50, 0.1, 0.0}, std::nullopt, 108.858471, {K::SlopeHigh}},
        {{405, 58.0, 50, 0.2, 25.0}, 403.0, 98.040293, {}},  // both on their limits
        {{405, 58.0, 50, 0.3, 25.0}, 402.9, 98.040293, {K::Rms, K::EzeroDrift}},
        {{405, 58.0, -1, 0.1, 25.0}, std::nullopt, 98.040293, {K::JcorrLow}},
        {{405, 58.0, 401, 0.1, 25.0}, std::nullopt, 98.040293, {K::JcorrHigh}},
        {{405, kNaN, kNaN, kNaN, 25.0}, std::nullopt, kNaN, {K::SlopeLow, K::Rms, K::JcorrLow}},
    };
    for (const auto& c : cases) {
        const Verdict v = judge(c.values, strict, c.lastPassingEzero);
        std::vector<K> failed;
        for (const LimitFailure& f : v.failures) failed.push_back(f.kind);
        EXPECT_EQ(failed, c.failed) << c.values.slope;
        if (!std::isnan(c.percent)) {
            EXPECT_NEAR(v.slopePercent, c.percent, 5e-6) << c.values.slope;
        }
        EXPECT_EQ(v.temperatureAssumed, !c.values.temperature);
    }
    EXPECT_EQ(verdictText(judge(cases[0].values, {}, std::nullopt)),
              "Slope 100.0 % of Nernst at 25 °C (no temperature given) — within limits");
    EXPECT_EQ(verdictText(judge(cases[5].values, strict, 402.9)),
              "Slope 98.0 % of Nernst at 25 °C — outside limits: rms 0.300 mV above 0.2 mV; Ezero moved 2.1 mV "
              "since the last passing calibration, more than 2 mV");
}

LogbookEntry oddEntry()
{
    LogbookEntry e;
    e.electrode = "E-17'); DROP TABLE entry; --";
    e.operatorName = "=HYPERLINK(\"x\")";
    e.note = "pH 2 \"buffer\",\nsecond line — µ";
    e.temperature = 21.7;
    e.time = 1796630400;
    e.file = "/data/cal,1.txt";
    e.sha256 = std::string(64, 'a');
    e.acidConcentration = " .5";
    e.initialVolume = " 50";
    e.pointCount = 15;
    e.leftOut = "3, 7";
    e.ezero = 405.08127f;
    e.ezeroSigma = 0.28456093481839995;
    e.slope = 59.130932f;
    e.slopeSigma = 0.1109529259154230;
    e.jcorr = 58.756954f;
    e.jcorrSigma = 3.4024004756340314;
    e.rms = 0.11292190668339556;
    e.outliers = "12";
    e.warnings = "Single precision misleads";
    e.version = "1.0.3";
    return e;
}

TEST(Logbook, EntriesRoundTripExactlyAndAreNeverChanged)
{
    testing::TempFolder folder;
    const std::string path = (folder.path() / "sub" / "logbook.sqlite").string();
    LogbookEntry first = oddEntry();
    {
        Logbook logbook(path, Logbook::Access::Write);
        first = logbook.add(first, verdictText);
        LogbookEntry correction = oddEntry();
        correction.corrects = first.number;
        correction.electrode = "E-2";
        logbook.add(correction, verdictText);
    }
    const Logbook logbook(path, Logbook::Access::Read);
    EXPECT_EQ(logbook.entry(1), first);
    EXPECT_EQ(logbook.entries({"E-2", std::nullopt}).at(0).corrects, 1);
    EXPECT_EQ(logbook.entries({std::nullopt, first.time + 1}).size(), 0u);
    EXPECT_EQ(logbook.electrodes(), (std::vector<std::string>{"E-17'); DROP TABLE entry; --", "E-2"}));
    // Not even another program gets to change or delete an entry.
    sql::Database db(path, SQLITE_OPEN_READWRITE);
    EXPECT_THROW(db.execute("UPDATE entry SET slope = 60"), sql::Error);
    EXPECT_THROW(db.execute("DELETE FROM entry"), sql::Error);

    first.jcorr = -12.5f;
    first.note = "-1+2";
    const std::string csv = logbookCsv({first});
    EXPECT_NE(csv.find(",-12.5,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",'-1+2,"), std::string::npos) << csv;
    EXPECT_NE(csv.find(",\"'=HYPERLINK(\"\"x\"\")\","), std::string::npos) << csv;
}

TEST(Logbook, FileHashOnlyWhileThePointsAreTheFilesOwn)
{
    Session session;
    session.loadCalibrationFile(kSample);
    session.calibrate({.statistics = true});
    const LogbookEntry asRead = logbookEntry(session.calibration(), {"E-1", "", "", std::nullopt, std::nullopt}, "");
    EXPECT_EQ(asRead.sha256, "60fb9f626cfb5ab7a414e0cac7043378b2fb3b40af697010ad93defdc0e1e740");  // sha256sum
    EXPECT_FALSE(asRead.editedAfterLoading);

    session.editCell(DataSet::Calibration, {3, 2}, "243.0");
    session.calibrate({.statistics = true});
    const LogbookEntry edited = logbookEntry(session.calibration(), {"E-1", "", "", std::nullopt, std::nullopt}, "");
    EXPECT_TRUE(edited.editedAfterLoading);
    EXPECT_NE(edited.sha256, asRead.sha256);
    EXPECT_EQ(edited.sha256.size(), 64u);
}

// Each file is refused with its reason, and left as it was: no byte changed, nothing beside it.
TEST(Logbook, FilesThatAreNoLogbookOfThisVersionAreRefusedAndUntouched)
{
    testing::TempFolder folder;
    const std::string good = (folder.path() / "good.sqlite").string();
    Logbook(good, Logbook::Access::Write).add(oddEntry(), verdictText);
    const std::string bytes = testing::ReadBytes(good);
    std::string newer = bytes, damaged = bytes;
    newer[63] = 2;                                          // user_version
    damaged.replace(4096 + 8, 300, std::string(300, 'x'));  // the entries' page
    using K = LogbookError::Kind;
    const struct {
        std::string name, bytes;
        LogbookError::Problem problem;
        K kind;
        std::string words;
    } cases[] = {
        {"empty", "", LogbookError::Problem::NotALogbook, K::Empty, " is not a Quorlin logbook (an empty file)"},
        {"text", "Ezero,Slope\n", LogbookError::Problem::NotALogbook, K::NotSqlite, " is not a Quorlin logbook (not"},
        {"damaged", damaged, LogbookError::Problem::NotALogbook, K::Damaged, " is not a Quorlin logbook (damaged: "},
        {"newer", newer, LogbookError::Problem::NewerVersion, K::Damaged,
         " is a logbook of version 2, newer than this Quorlin reads (version 1)"},
    };
    for (const auto& c : cases) {
        const std::string path = folder.write(c.name, c.bytes);
        for (const auto access : {Logbook::Access::Read, Logbook::Access::Write}) {
            try {
                Logbook logbook(path, access);
                ADD_FAILURE() << c.name << " was opened";
            } catch (const LogbookError& e) {
                EXPECT_EQ(e.problem, c.problem) << c.name;
                EXPECT_EQ(e.kind, c.kind) << c.name;
                EXPECT_EQ(logbookErrorText(e).find(path + c.words), 0u) << logbookErrorText(e);
            }
        }
        EXPECT_EQ(testing::ReadBytes(path), c.bytes) << c.name;
        EXPECT_FALSE(std::filesystem::exists(path + "-wal") || std::filesystem::exists(path + "-journal")) << c.name;
    }
}

// Root writes whatever the permissions say; the check then runs as an ordinary user.
bool asOrdinaryUser(const std::function<bool()>& check)
{
    if (::geteuid() != 0) return check();
    const pid_t child = ::fork();
    if (child == 0) _exit(::setgid(65534) == 0 && ::setuid(65534) == 0 && check() ? 0 : 1);
    int status = 0;
    return ::waitpid(child, &status, 0) == child && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

TEST(Logbook, AReadOnlyLogbookIsListedAndRefusesEntries)
{
    testing::TempFolder folder;
    const std::string path = (folder.path() / "logbook.sqlite").string();
    Logbook(path, Logbook::Access::Write).add(oddEntry(), verdictText);
    ::chmod(path.c_str(), 0444);
    ::chmod(folder.path().c_str(), 0555);
    EXPECT_TRUE(asOrdinaryUser([&path] {
        if (Logbook(path, Logbook::Access::Read).entries().size() != 1) return false;
        try {
            Logbook(path, Logbook::Access::Write);
        } catch (const LogbookError& e) {
            return e.problem == LogbookError::Problem::ReadOnly;
        }
        return false;
    }));
    ::chmod(folder.path().c_str(), 0700);
}

}  // namespace
}  // namespace quorlin
