#include "io/data_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <optional>
#include <utility>
#include <vector>

namespace quorlin {
namespace {

using Points = std::vector<std::pair<double, double>>;

class ReadDataFile : public ::testing::Test {
protected:
    Workspace calibration(std::string_view bytes) const
    {
        Workspace ws;
        EXPECT_TRUE(readCalibrationFile(ws, folder.write("cal.txt", bytes)).ok);
        return ws;
    }
    Points adjustment(std::string_view bytes) const
    {
        Workspace ws;
        EXPECT_TRUE(readAdjustmentFile(ws, folder.write("adj.txt", bytes)).ok);
        return points(ws.AdjVolume, ws.AdjEmf, ws.AdjCount);
    }
    static Points points(const PointArray& volumes, const PointArray& emfs, std::int32_t count)
    {
        EXPECT_EQ(volumes.size(), static_cast<std::size_t>(count) + 1);
        Points result;
        for (std::int32_t i = 1; i <= count; ++i) {
            EXPECT_TRUE(volumes[i].isDouble() && emfs[i].isDouble()) << i;
            result.emplace_back(volumes[i].value(), emfs[i].value());
        }
        return result;
    }

    testing::TempFolder folder;
};

// Comma and tab files with either line end, blanks and signs load alike.
TEST_F(ReadDataFile, CalibrationHeaderAndPointsInDoublePrecision)
{
    for (const char* bytes : {"0.1,50\n0.5,220.1\n1.5E-3,180\n", "0.1\t50\r\n0.5\t220.1\r\n1.5E-3\t180\r\n",
                              " 0.1 , 50 \r\n .5 ,\t220.1\r\n+1.5e-3 , 180", "0.1\t50\r0.5\t220.1\r1.5E-3\t180\r"}) {
        SCOPED_TRACE(bytes);
        const Workspace ws = calibration(bytes);
        EXPECT_EQ(ws.AcidConc, Number::fromDouble(0.1));
        EXPECT_EQ(ws.InitVolume, Number::fromDouble(50.0));
        EXPECT_EQ(points(ws.CalVolume, ws.CalEmf, ws.CalCount), (Points{{0.5, 220.1}, {0.0015, 180.0}}));
    }
}

TEST_F(ReadDataFile, CalibrationWithoutPoints)
{
    // A second line "0,0" is the end mark: the constants stay. An unreadable header
    // leaves nothing.
    const struct {
        const char* bytes;
        std::optional<double> acid;
    } cases[] = {{"0.1,50\n0,0\n1,200\n", 0.1}, {"Acid,Volume\n0.1,50\n1,200\n", std::nullopt}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        const Workspace ws = calibration(c.bytes);
        EXPECT_EQ(ws.CalCount, 0);
        EXPECT_EQ(ws.AcidConc.isEmpty(), !c.acid);
        EXPECT_EQ(ws.InitVolume.isEmpty(), !c.acid);
        if (c.acid) {
            EXPECT_EQ(ws.AcidConc.value(), *c.acid);
            EXPECT_EQ(ws.InitVolume.value(), 50.0);
        }
    }
}

TEST_F(ReadDataFile, FileThatCannotBeOpenedEmptiesTheDataSetAndSaysWhy)
{
    Workspace ws;
    readAdjustmentFile(ws, folder.write("adj.txt", "1,200\n"));
    readCalibrationFile(ws, folder.write("cal.txt", "0.1,50\n1,200\n2,210\n"));
    ASSERT_EQ(ws.CalCount, 2);
    EXPECT_EQ(ws.AdjCount, 1);  // the other data set is left alone

    const FileOutcome missing = readCalibrationFile(ws, (folder.path() / "absent.txt").string());
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.reason, "No such file or directory");
    EXPECT_EQ(ws.CalCount, 0);
    EXPECT_TRUE(ws.AcidConc.isEmpty());

    readCalibrationFile(ws, folder.write("cal.txt", "0.1,50\n1,200\n2,210\n"));
    EXPECT_FALSE(readCalibrationFile(ws, folder.path().string()).ok);
    EXPECT_EQ(ws.CalCount, 0);
}

TEST_F(ReadDataFile, AdjustmentRecords)
{
    const Points three{{1, 200}, {2, 210}, {3, 220}};
    const struct {
        const char* bytes;
        Points expected;
    } cases[] = {
        {"1,200\n2,210\n3,220", three},
        // The end mark ends the data and is dropped, whatever follows.
        {"1,200\n2,210\n3,220\n0,0\n", three},
        {"1,200\n2,210\n3,220\n0,0\n4,230\n5,240\n", three},
        {"1,200\n2,210\n3,220\n-0,0.0E5\n4,230\n", three},
        // Zero volume with an emf is a point.
        {"0,5\n0.0,-3\n", {{0, 5}, {0, -3}}},
        {"1,200 \t\r\n\t2\t\t210\n", {{1, 200}, {2, 210}}},
        {"\xEF\xBB\xBF" "1,200\n", {{1, 200}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.bytes);
        EXPECT_EQ(adjustment(c.bytes), c.expected);
    }
}

TEST_F(ReadDataFile, ARecordThatIsNotTwoNumbersEndsTheDataSilently)
{
    for (const char* stopper : {"\n", "   \n", "volume,emf\n", "1,2,3\n", "1,2,\n", "1,,2\n", "1;2\n", "1\n",
                                "1 2\n", "1,abc\n", "inf,1\n", "1,nan\n", "1e999,1\n", "0x10,1\n", "1.5.2,1\n",
                                "--1,1\n"}) {
        SCOPED_TRACE(stopper);
        EXPECT_EQ(adjustment(std::string("1,200\n2,210\n") + stopper + "3,220\n"), (Points{{1, 200}, {2, 210}}));
    }
}

TEST_F(ReadDataFile, ALaterShorterFileReplacesAllPoints)
{
    Workspace ws;
    readAdjustmentFile(ws, folder.write("long.txt", "1,200\n2,210\n3,220\n"));
    readAdjustmentFile(ws, folder.write("short.txt", "7,270\n"));
    EXPECT_EQ(points(ws.AdjVolume, ws.AdjEmf, ws.AdjCount), (Points{{7, 270}}));
    EXPECT_EQ(ws.AdjEmf.size(), 2u);
}

}  // namespace
}  // namespace quorlin
