#include "core/fit.h"
#include "io/data_directory.h"
#include "io/data_files.h"
#include "io/file_replacement.h"
#include "support/memory_settings_store.h"
#include "support/temp_folder.h"
#include "support/titration.h"

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <fcntl.h>
#include <sys/file.h>
#include <thread>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace quorlin {
namespace {

using testing::Points;

const testing::TempFolder kFolder;

// The constants (when read) followed by the points, each checked to be double.
Points loaded(const CalibrationData& data)
{
    Points points;
    if (!data.acidConcentration.isEmpty())
        points.emplace_back(data.acidConcentration.value(), data.initialVolume.value());
    for (std::int32_t i = 1; i <= data.count; ++i) {
        EXPECT_TRUE(data.volume[i].isDouble() && data.emf[i].isDouble());
        points.emplace_back(data.volume[i].value(), data.emf[i].value());
    }
    EXPECT_EQ(data.volume.size(), static_cast<std::size_t>(data.count) + 1);
    return points;
}

// With `end`, also checks where the data ended early, as "LINE REASON" ("" for no early end).
Points read(const std::string& path, bool calibration, const char* end = nullptr)
{
    CalibrationData data;
    const FileOutcome outcome = calibration ? readCalibrationFile(data, path) : readAdjustmentFile(data, path);
    EXPECT_TRUE(outcome.ok);
    const std::string reason = outcome.endReason == DataEnd::LineTooLong ? "line too long"
                               : outcome.endReason == DataEnd::EndMark
                                   ? "end mark, " + std::to_string(outcome.linesNotRead) + " not read"
                                   : "not two numbers";
    const std::string early = outcome.endLine ? std::to_string(outcome.endLine) + " " + reason : "";
    EXPECT_EQ(end ? end : early, early) << testing::ReadBytes(path);
    return loaded(data);
}

// A save with files limited to 512 bytes, as a full disk would limit it.
template <typename Save>
FileOutcome withFileSizeLimit(Save save)
{
    std::signal(SIGXFSZ, SIG_IGN);
    rlimit saved{};
    ::getrlimit(RLIMIT_FSIZE, &saved);
    const rlimit limited{512, saved.rlim_max};
    ::setrlimit(RLIMIT_FSIZE, &limited);
    const FileOutcome outcome = save();
    ::setrlimit(RLIMIT_FSIZE, &saved);
    return outcome;
}

TEST(readDataFile, ReadingRules)
{
    // Any line end, a byte-order mark and blanks around fields are read alike; an end mark,
    // a header, a blank line, a third field or a value that is not a finite double ends the data,
    // early unless only blank lines follow.
    for (const char* bytes : {"1,200\r\n2,210\r\n", "1,200\n2,210\n\n \r\n\r\t", "1,200\r2,210\r",
                              "\357\273\2771\t200\n2\t210", " 1 ,\t200 \r\n2\t\t210\n", "1,200\n2,210\n0,0\n\n \n"})
        EXPECT_EQ(read(kFolder.write("data.txt", bytes), false, ""), (Points{{1, 200}, {2, 210}})) << bytes;
    for (const char* bytes :
         {"1,200\n2,210\nvolume,emf\n3,220\n", "1,200\r2,210\r\n\r\n3,220\n", "1,200\n2,210\n3,220,1\n",
          "1,200\n2,210\ninf,220\n", "1,200\n2,210\n3,nan\n", "1,200\n2,210\n1e999,1\n"})
        EXPECT_EQ(read(kFolder.write("data.txt", bytes), false, "3 not two numbers"), (Points{{1, 200}, {2, 210}}))
            << bytes;
    // An end mark with lines after it that are not blank ends the data early too.
    EXPECT_EQ(read(kFolder.write("data.txt", "1,200\n0,0\n3,220\n\nx\n"), false, "2 end mark, 2 not read"),
              (Points{{1, 200}}));
    const std::tuple<std::string, Points, const char*> calibrations[] = {
        {"0.1,50\r\n.5,220.1\r\n+1.5E-3,180", {{0.1, 50}, {0.5, 220.1}, {0.0015, 180}}, ""},
        {"0.1,50\n0,5\n0,0\n1,200\n", {{0.1, 50}, {0, 5}}, "3 end mark, 1 not read"},
        {"Acid,Volume\n0.1,50\n1,200\n", {}, "1 not two numbers"},
        {"\n\n", {}, ""}};
    for (const auto& [bytes, expected, end] : calibrations)
        EXPECT_EQ(read(kFolder.write("cal.txt", bytes), true, end), expected) << bytes;
    // A missing file still empties what was read before.
    CalibrationData data;
    readCalibrationFile(data, kFolder.write("cal.txt", "0.1,50\n1,200\n"));
    EXPECT_EQ(readCalibrationFile(data, (kFolder.path() / "absent.txt").string()).error, ENOENT);
    EXPECT_EQ(loaded(data), Points{});
}

TEST(readDataFile, HostileCorpusGivesDefinedResults)
{
    const std::tuple<const char*, Points, std::size_t> cases[] = {
        {"empty.txt", {}, 0},
        {"binary_junk.bin", {}, 0},
        {"utf16.txt", {}, 0},
        {"header_only.txt", {{0.1, 50}}, 1},
        {"end_mark_only.txt", {{0, 0}}, 0},
        {"nan_value.txt", {{0.1, 50}, {1, 300}}, 2},
        {"infinite_value.txt", {{0.1, 50}, {1, 300}}, 2},
        {"overflowing_value.txt", {{0.1, 50}, {1, 300}}, 2},
        {"cr_line_ends.txt", {{0.1, 50}, {0.5, 227.56}, {1, 234.65}}, 3},
        {"truncated_in_digits.txt", {{0.1, 50}, {0.5, 227.56}, {1, 234.6}}, 3},
        {"truncated_in_exponent.txt", {{0.1, 50}, {0.5, 227.56}}, 2}};
    for (const auto& [name, calibration, adjustmentCount] : cases) {
        EXPECT_EQ(read(QUORLIN_HOSTILE_DIR "/" + std::string(name), true), calibration) << name;
        EXPECT_EQ(read(QUORLIN_HOSTILE_DIR "/" + std::string(name), false).size(), adjustmentCount) << name;
    }
}

long peakResidentKb()
{
    std::ifstream status("/proc/self/status");
    for (std::string key; status >> key;)
        if (key == "VmHWM:" && status >> key) return std::stol(key);
    return 0;
}

TEST(readDataFile, HugeLineEndsTheDataInBoundedMemory)
{
    const std::string path = kFolder.write("long.txt", "1,200\n" + std::string(16 << 20, '7') + ",1\n3,220\n");
    std::ofstream("/proc/self/clear_refs") << "5";  // resets the peak
    const long before = peakResidentKb();
    EXPECT_EQ(read(path, false, "2 line too long"), (Points{{1, 200}}));
    EXPECT_LT(peakResidentKb() - before, 4 * 1024);
}

TEST(readDataFile, LinesAcrossTheReadingBlockReadAsAnyOther)
{
    // Plain records and others alternate; a first line of `pad` blanks moves the 64 KiB
    // block's end through every byte of both kinds and of every line end.
    for (const std::string end : {"\n", "\r\n", "\r"}) {
        for (std::size_t pad = 0; pad < 32; ++pad) {
            std::string bytes = std::string(pad, ' ') + "1.5,1" + end;
            Points expected{{1.5, 1}};
            for (int i = 1; expected.size() < 5000; ++i) {
                const std::string v = std::to_string(i) + ".25", e = "-" + std::to_string(i) + ".5";
                bytes += (i % 2 ? v + "\t" + e : " " + v + " ,\t" + e + " ") + end;
                expected.emplace_back(i + 0.25, -(i + 0.5));
            }
            CalibrationData data;
            const FileOutcome outcome = readAdjustmentFile(data, kFolder.write("blocks.txt", bytes));
            EXPECT_EQ(outcome.endLine, 0) << pad;
            EXPECT_EQ(loaded(data), expected) << pad;
        }
    }
    // A line of the greatest length is read whole wherever the block ends in it, and the
    // longer line after it ends the data, here across the block's end, there before it.
    const std::string longest = std::string(4093, ' ') + "3,4\r\n", tooLong = " " + longest;
    for (std::size_t records : {14400, 15400, 16383}) {
        std::string bytes;
        for (std::size_t i = 0; i < records; ++i) bytes += "1,1\n";
        Points expected(records, {1, 1});
        expected.emplace_back(3, 4);
        const std::string end = std::to_string(records + 2) + " line too long";
        EXPECT_EQ(read(kFolder.write("long.txt", bytes + longest + tooLong), false, end.c_str()), expected);
    }
}

TEST(writeDataFile, DecimalCommaOfANumberBecomesAPointSoTheFileReadsBack)
{
    EXPECT_EQ(dataFileText({{"0,1", " 1,5E-3"}, {"abc,def", "1,2,3"}}), "0.1\t 1.5E-3\r\nabc,def\t1,2,3\r\n");
    const std::string path = (kFolder.path() / "cal.txt").string();
    ASSERT_TRUE(writeCalibrationFile(path, {"0,1", "50"}, {{"1,5", "-58,10"}}).ok);
    EXPECT_EQ(read(path, true), (Points{{0.1, 50}, {1.5, -58.1}}));
}

TEST(writeDataFile, FirstRecordThatWouldEndTheDataWhenReadAgain)
{
    EXPECT_EQ(firstRecordEndingData({{"0,1", "50"}, {"1,5", "-58,10"}, {"0", "1"}}), std::nullopt);
    const std::string overlong(4096, '0');  // a longer line is never read as a record
    const TextRecord endings[] = {{"abc", "1"}, {"1,234.5", "1"}, {"1", ""},      {"0.1 M", "1"},
                                  {" 0", "0"},  {"0,0", "0"},     {overlong, "1"}};
    for (const TextRecord& ending : endings)
        EXPECT_EQ(firstRecordEndingData({{"1", "200"}, ending}), 1u) << ending.first;
}

TEST(writeDataFile, SaveFollowsALinkWritesIntoADeviceOrPipeAndRefusesAReadOnlyFile)
{
    const std::string target = kFolder.write("target.txt", "old"), link = (kFolder.path() / "link.txt").string();
    std::filesystem::create_symlink("target.txt", link);
    ASSERT_TRUE(writeAdjustedFile(link, {{"1", "2"}}).ok);
    EXPECT_TRUE(std::filesystem::is_symlink(link));
    EXPECT_EQ(testing::ReadBytes(target), "1\t2\r\n");

    EXPECT_TRUE(writeAdjustedFile("/dev/null", {{"1", "2"}}).ok);
    EXPECT_TRUE(std::filesystem::is_character_file("/dev/null"));
    const std::string fifo = (kFolder.path() / "fifo").string();
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // A pipe nobody reads fails at once rather than holding the save forever.
    EXPECT_EQ(writeAdjustedFile(fifo, {{"1", "2"}}).error, ENXIO);
    EXPECT_TRUE(std::filesystem::is_fifo(fifo));

    const std::string longName = kFolder.write(std::string(250, 'n'), "old");
    EXPECT_TRUE(writeAdjustedFile(longName, {{"1", "2"}}).ok);
    EXPECT_EQ(testing::ReadBytes(longName), "1\t2\r\n");

    const std::string readOnly = kFolder.write("read-only.txt", "old");
    std::filesystem::permissions(readOnly, std::filesystem::perms::owner_read);
    if (::geteuid() == 0) return;  // root may write any file
    EXPECT_EQ(writeAdjustedFile(readOnly, {{"1", "2"}}).error, EACCES);
    EXPECT_EQ(testing::ReadBytes(readOnly), "old");
}

TEST(writeDataFile, FailedSaveKeepsTheOldFileAndSaysWhy)
{
    const testing::TempFolder folder;  // its own, to see that no temporary file is left
    EXPECT_EQ(writeAdjustedFile((folder.path() / "none/adj.txt").string(), {{"1", "2"}}).error, ENOENT);

    // A file-size limit fails the write part way, as a full disk would.
    const std::string old = "1\t200.00\r\n", path = folder.write("adj.txt", old);
    const FileOutcome tooLarge = withFileSizeLimit([&path] {
        return writeAdjustedFile(path, std::vector<TextRecord>(1000, {" 12.5", "301.25"}));
    });
    EXPECT_FALSE(tooLarge.ok);
    EXPECT_EQ(tooLarge.error, EFBIG);
    EXPECT_EQ(testing::ReadBytes(path), old);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(folder.path()), {}), 1);
}

// In place, a save too large for the disk is refused before the old bytes go, and a
// second writer waits for the first.
TEST(overwriteFileContents, ReservesTheSizeFirstAndLocksOutASecondWriter)
{
    const testing::TempFolder folder;
    const std::string old = "1\t200.00\r\n", path = folder.write("adj.txt", old);
    EXPECT_EQ(withFileSizeLimit([&path] { return overwriteFileContents(path, std::string(1000, 'x')); }).error, EFBIG);
    EXPECT_EQ(testing::ReadBytes(path), old);

    const int holder = ::open(path.c_str(), O_RDONLY);
    ASSERT_EQ(::flock(holder, LOCK_EX), 0);
    std::thread second([&path] { EXPECT_TRUE(overwriteFileContents(path, "2\t3\r\n").ok); });
    std::this_thread::sleep_for(std::chrono::milliseconds(100));
    EXPECT_EQ(testing::ReadBytes(path), old);
    ::close(holder);
    second.join();
    EXPECT_EQ(testing::ReadBytes(path), "2\t3\r\n");
}

TEST(dataDirectory, FolderOfAPathAndTheSavedOrDefaultSetting)
{
    EXPECT_EQ(dataDirectoryOf("/home/ann/run1.txt", "/before"), "/home/ann");
    EXPECT_EQ(dataDirectoryOf("/run1.txt", "/before"), "/");
    EXPECT_EQ(dataDirectoryOf("run1.txt", "/before"), "/before");
    testing::MemorySettingsStore store;
    EXPECT_EQ(readDataDirectory(store, "/nonexistent/quorlin/bin"), "/nonexistent/quorlin/bin/data");
    saveDataDirectory(store, "/home/ann/runs");
    EXPECT_EQ(readDataDirectory(store, "/nonexistent/quorlin/bin"), "/home/ann/runs");
}

// The worst values a file can bring, through model and fit: each ends in a defined outcome.
TEST(worstValues, ReadModelAndFitEndInAnOutcome)
{
    const std::string good = testing::CalibrationFileText({}, 8);
    const std::pair<std::string, bool> cases[] = {
        {"0.1,50\n1,1e300\n2,-1e300\n3,1e300\n4,-1e300\n5,1e300\n6,-1e300\n", true},
        {"1e-300" + good.substr(good.find('\t')), true},
        {"0.1,50\n1,1e-300\n2,2e-300\n3,3e-300\n4,4e-300\n5,5e-300\n6,6e-300\n", true},
        {"0.1,50\n1,300\n2,300\n3,300\n4,300\n5,300\n6,300\n", true},
        {"1e308" + good.substr(good.find('\t')), false},
        {"0.1,50\n1,300\n2,nan\n3,inf\n", false},
        {"0.1,50\n1,300\n1,300\n1,300\n1,300\n1,300\n1,300\n", false}};
    for (const auto& [text, modelOk] : cases) {
        CalibrationData data;
        readCalibrationFile(data, kFolder.write("cal.txt", text));
        const ModelOutcome line = computeInitialValues(data);
        ASSERT_EQ(line.ok(), modelOk) << text;
        if (!line.ok()) continue;
        const FitResult fit = fitParameters(data, testing::shownStart(line));
        for (std::size_t j = 1; j <= 3; ++j)
            EXPECT_TRUE(fit.converged() ? std::isfinite(fit.parameters[j]) && std::isfinite(fit.sigma[j])
                                        : fit.parameters[j] == testing::shownStart(line)[j])
                << text;
    }
}

}  // namespace
}  // namespace quorlin
