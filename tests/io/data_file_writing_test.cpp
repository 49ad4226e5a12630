#include "io/data_files.h"
#include "io/number_text.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

namespace quorlin {
namespace {

using testing::ReadBytes;
using testing::TempFolder;

std::size_t filesIn(const std::filesystem::path& folder)
{
    std::size_t count = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(folder)) ++count;
    return count;
}

TEST(WriteCalibrationFile, WritesBoxTextsAsTypedThenGridTextsTabSeparatedWithCrLf)
{
    TempFolder folder;
    const std::string path = (folder.path() / "cal.txt").string();
    const FileOutcome outcome =
        WriteCalibrationFile(path, {"0.1", "50 ml"}, {{" .5", " 220.1"}, {" 1", "-12.5"}});
    ASSERT_TRUE(outcome.ok) << outcome.reason;
    EXPECT_EQ(ReadBytes(path), "0.1\t50 ml\r\n .5\t 220.1\r\n 1\t-12.5\r\n");
}

TEST(WriteAdjustedFile, WrittenFileLoadsAgainWithTheAdjustedEmf)
{
    TempFolder folder;
    const std::string path = (folder.path() / "adjusted.txt").string();
    ASSERT_TRUE(WriteAdjustedFile(path, {{" .5", "223.00"}, {" 2", "-7.25"}, {" 1E-05", " 1.5E+20"}}).ok);
    Workspace ws;
    ReadAdjustmentFile(ws, path);
    ASSERT_EQ(ws.AdjCount, 3);
    EXPECT_EQ(ws.AdjEmf[1].value(), 223.0);
    EXPECT_EQ(ws.AdjEmf[2].value(), -7.25);
    EXPECT_EQ(ws.AdjVolume[1].value(), 0.5);
    EXPECT_EQ(ws.AdjVolume[3].value(), 1e-5);
    EXPECT_EQ(ws.AdjEmf[3].value(), 1.5e20);
}

TEST(WriteAdjustedFile, NoPointsGiveAnEmptyFile)
{
    TempFolder folder;
    const std::string path = (folder.path() / "adjusted.txt").string();
    ASSERT_TRUE(WriteAdjustedFile(path, {}).ok);
    EXPECT_TRUE(std::filesystem::exists(path));
    EXPECT_EQ(ReadBytes(path), "");
}

// Texts as a comma locale shows them must not split into extra fields in the file.
TEST(DataFileText, DecimalCommaOfANumberTextBecomesAPoint)
{
    EXPECT_EQ(DataFileText({{"0,1", "50"}, {" 1,5", "-58,10"}, {"1,5E-3", "+2,"}}),
              "0.1\t50\r\n 1.5\t-58.10\r\n1.5E-3\t+2.\r\n");
}

TEST(DataFileText, OtherTextsAreWrittenAsShown)
{
    EXPECT_EQ(DataFileText({{"abc,def", "1,2,3"}, {"1.234,5", ","}, {"", "?"}}),
              "abc,def\t1,2,3\r\n1.234,5\t,\r\n\t?\r\n");
}

TEST(WriteAdjustedFile, CommaLocaleTextsRoundTripAsTheSameNumbers)
{
    // Volumes as typed in a comma locale, adjusted values as it formats them.
    const RegionalSettings comma{',', '.'};
    const double adjusted[] = {223.004, -0.75, 1234567.891};
    const std::vector<TextRecord> cells = {
        {"1,5", Format(adjusted[0], "###0.00", comma)},
        {" ,25", Format(adjusted[1], "###0.00", comma)},
        {"-2,5E-3", Format(adjusted[2], "###0.00", comma)},
    };
    TempFolder folder;
    const std::string path = (folder.path() / "adjusted.txt").string();
    ASSERT_TRUE(WriteAdjustedFile(path, cells).ok);
    Workspace ws;
    ReadAdjustmentFile(ws, path);
    ASSERT_EQ(ws.AdjCount, 3);
    const double volumes[] = {1.5, 0.25, -2.5e-3};
    for (std::int32_t i = 1; i <= 3; ++i) {
        EXPECT_EQ(ws.AdjVolume[i].value(), volumes[i - 1]);
        EXPECT_EQ(ws.AdjEmf[i].value(), std::round(adjusted[i - 1] * 100) / 100);
    }
}

TEST(WriteCalibrationFile, OverwritesAnExistingFileKeepingItsPermissions)
{
    TempFolder folder;
    const std::string path = folder.write("cal.txt", "old contents that are longer than the new ones\n");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(WriteCalibrationFile(path, {"0.1", "50"}, {}).ok);
    EXPECT_EQ(ReadBytes(path), "0.1\t50\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(filesIn(folder.path()), 1u);
}

TEST(WriteCalibrationFile, MissingFolderIsReportedWithItsReason)
{
    TempFolder folder;
    const FileOutcome outcome = WriteCalibrationFile((folder.path() / "none" / "cal.txt").string(), {"0.1", "50"}, {});
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.reason, "No such file or directory");
}

TEST(WriteAdjustedFile, TargetThatIsAFolderFailsAndLeavesNothingBehind)
{
    TempFolder folder;
    std::filesystem::create_directory(folder.path() / "taken");
    folder.write("taken/keep.txt", "x");
    const FileOutcome outcome = WriteAdjustedFile((folder.path() / "taken").string(), {{"1", "2"}});
    EXPECT_FALSE(outcome.ok);
    EXPECT_FALSE(outcome.reason.empty());
    EXPECT_TRUE(std::filesystem::is_directory(folder.path() / "taken"));
    EXPECT_EQ(filesIn(folder.path()), 1u);
}

// A file-size limit makes the write fail part way, as a full disk would.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        ::getrlimit(RLIMIT_FSIZE, &saved_);
        rlimit limited = saved_;
        limited.rlim_cur = bytes;
        ::setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved_); }

private:
    rlimit saved_{};
};

TEST(WriteAdjustedFile, FailedWriteLeavesTheOldFileIntactAndReports)
{
    TempFolder folder;
    const std::string old = "1\t200.00\r\n";
    const std::string path = folder.write("adjusted.txt", old);
    const std::vector<TextRecord> many(1000, TextRecord{" 12.5", "301.25"});

    FileOutcome outcome;
    {
        const FileSizeLimit limit(512);
        outcome = WriteAdjustedFile(path, many);
    }
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.reason, "File too large");
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(filesIn(folder.path()), 1u);
}

}  // namespace
}  // namespace quorlin
