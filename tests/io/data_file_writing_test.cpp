#include "io/data_files.h"
#include "text/number_text.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <csignal>
#include <filesystem>
#include <sys/resource.h>
#include <sys/stat.h>

namespace quorlin {
namespace {

using testing::ReadBytes;

class WriteDataFile : public ::testing::Test {
protected:
    std::string target(const char* name) const { return (folder.path() / name).string(); }
    std::size_t filesInFolder() const
    {
        const std::filesystem::directory_iterator entries(folder.path());
        return static_cast<std::size_t>(std::distance(begin(entries), end(entries)));
    }

    testing::TempFolder folder;
};

TEST_F(WriteDataFile, BoxTextsAsTypedThenGridTextsTabSeparatedWithCrLf)
{
    const std::string path = target("cal.txt");
    const FileOutcome outcome = writeCalibrationFile(path, {"0.1", "50 ml"}, {{" .5", " 220.1"}, {" 1", "-12.5"}});
    ASSERT_TRUE(outcome.ok) << outcome.reason;
    EXPECT_EQ(ReadBytes(path), "0.1\t50 ml\r\n .5\t 220.1\r\n 1\t-12.5\r\n");

    const std::string empty = target("adjusted.txt");
    ASSERT_TRUE(writeAdjustedFile(empty, {}).ok);
    EXPECT_TRUE(std::filesystem::exists(empty));
    EXPECT_EQ(ReadBytes(empty), "");
}

// Texts as a comma locale shows them must not split into extra fields in the file;
// other texts are written as shown.
TEST_F(WriteDataFile, DecimalCommaOfANumberTextBecomesAPoint)
{
    EXPECT_EQ(dataFileText({{"0,1", "50"}, {" 1,5", "-58,10"}, {"1,5E-3", "+2,"}}),
              "0.1\t50\r\n 1.5\t-58.10\r\n1.5E-3\t+2.\r\n");
    EXPECT_EQ(dataFileText({{"abc,def", "1,2,3"}, {"1.234,5", ","}, {"", "?"}}),
              "abc,def\t1,2,3\r\n1.234,5\t,\r\n\t?\r\n");
}

// A written adjusted file loads again as data for adjustment with the adjusted emf, in
// either decimal convention.
TEST_F(WriteDataFile, AdjustedFileLoadsAgainAsTheSameNumbers)
{
    const RegionalSettings comma{',', '.'};
    const struct {
        TextRecord cells;
        double volume;
        double emf;
    } points[] = {
        {{" .5", "223.00"}, 0.5, 223.0},
        {{" 1E-05", " 1.5E+20"}, 1e-5, 1.5e20},
        {{"1,5", formatNumber(223.004, "###0.00", comma)}, 1.5, 223.0},
        {{" ,25", formatNumber(-0.75, "###0.00", comma)}, 0.25, -0.75},
        {{"-2,5E-3", formatNumber(1234567.891, "###0.00", comma)}, -2.5e-3, 1234567.89},
    };
    std::vector<TextRecord> cells;
    for (const auto& p : points) cells.push_back(p.cells);
    const std::string path = target("adjusted.txt");
    ASSERT_TRUE(writeAdjustedFile(path, cells).ok);
    Workspace ws;
    readAdjustmentFile(ws, path);
    ASSERT_EQ(ws.AdjCount, static_cast<std::int32_t>(cells.size()));
    for (std::int32_t i = 1; i <= ws.AdjCount; ++i) {
        EXPECT_EQ(ws.AdjVolume[i].value(), points[i - 1].volume) << i;
        EXPECT_EQ(ws.AdjEmf[i].value(), points[i - 1].emf) << i;
    }
}

TEST_F(WriteDataFile, OverwritesAnExistingFileKeepingItsPermissions)
{
    const std::string path = folder.write("cal.txt", "old contents that are longer than the new ones\n");
    ::chmod(path.c_str(), 0640);
    ASSERT_TRUE(writeCalibrationFile(path, {"0.1", "50"}, {}).ok);
    EXPECT_EQ(ReadBytes(path), "0.1\t50\r\n");
    struct stat st {};
    ASSERT_EQ(::stat(path.c_str(), &st), 0);
    EXPECT_EQ(st.st_mode & 07777, 0640u);
    EXPECT_EQ(filesInFolder(), 1u);
}

TEST_F(WriteDataFile, UnwritableTargetsAreReportedAndLeaveNothingBehind)
{
    const FileOutcome missing = writeCalibrationFile(target("none/cal.txt"), {"0.1", "50"}, {});
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.reason, "No such file or directory");

    std::filesystem::create_directory(target("taken"));
    folder.write("taken/keep.txt", "x");
    const FileOutcome isFolder = writeAdjustedFile(target("taken"), {{"1", "2"}});
    EXPECT_FALSE(isFolder.ok);
    EXPECT_FALSE(isFolder.reason.empty());
    EXPECT_TRUE(std::filesystem::is_directory(target("taken")));
    EXPECT_EQ(filesInFolder(), 1u);
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

TEST_F(WriteDataFile, FailedWriteLeavesTheOldFileIntactAndReports)
{
    const std::string old = "1\t200.00\r\n";
    const std::string path = folder.write("adjusted.txt", old);
    FileOutcome outcome;
    {
        const FileSizeLimit limit(512);
        outcome = writeAdjustedFile(path, std::vector<TextRecord>(1000, TextRecord{" 12.5", "301.25"}));
    }
    EXPECT_FALSE(outcome.ok);
    EXPECT_EQ(outcome.reason, "File too large");
    EXPECT_EQ(ReadBytes(path), old);
    EXPECT_EQ(filesInFolder(), 1u);
}

}  // namespace
}  // namespace quorlin
