#include "io/data_files.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

namespace quorlin {
namespace {

using testing::TempFolder;
using Points = std::vector<std::pair<double, double>>;

Points calibrationPoints(const Workspace& ws)
{
    Points points;
    for (std::int32_t i = 1; i <= ws.CalCount; ++i) {
        EXPECT_TRUE(ws.CalVolume[i].isDouble());
        EXPECT_TRUE(ws.CalEmf[i].isDouble());
        points.emplace_back(ws.CalVolume[i].value(), ws.CalEmf[i].value());
    }
    return points;
}

Points adjustmentPoints(const Workspace& ws)
{
    Points points;
    for (std::int32_t i = 1; i <= ws.AdjCount; ++i) points.emplace_back(ws.AdjVolume[i].value(), ws.AdjEmf[i].value());
    return points;
}

Points readAdjustment(const TempFolder& folder, std::string_view bytes)
{
    Workspace ws;
    EXPECT_TRUE(ReadAdjustmentFile(ws, folder.write("adj.txt", bytes)).ok);
    return adjustmentPoints(ws);
}

TEST(ReadCalibrationFile, ReadsHeaderAndPointsInDoublePrecision)
{
    TempFolder folder;
    Workspace ws;
    const FileOutcome outcome =
        ReadCalibrationFile(ws, folder.write("cal.txt", "0.1\t50\r\n1\t230.5\r\n2.5\t241.25\r\n"));
    EXPECT_TRUE(outcome.ok);
    EXPECT_EQ(ws.AcidConc, Number::fromDouble(0.1));
    EXPECT_EQ(ws.InitVolume, Number::fromDouble(50.0));
    EXPECT_EQ(calibrationPoints(ws), (Points{{1.0, 230.5}, {2.5, 241.25}}));
    EXPECT_EQ(ws.CalVolume.size(), 3u);
}

TEST(ReadCalibrationFile, CommaAndTabFilesWithEitherLineEndLoadAlike)
{
    TempFolder folder;
    const std::vector<std::string> variants = {
        "0.1,50\n0.5,220.1\n1.5E-3,180\n",
        "0.1\t50\r\n0.5\t220.1\r\n1.5E-3\t180\r\n",
        " 0.1 , 50 \r\n .5 ,\t220.1\r\n+1.5e-3 , 180",
        "0.1\t50\r0.5\t220.1\r1.5E-3\t180\r",
    };
    Points first;
    for (std::size_t k = 0; k < variants.size(); ++k) {
        SCOPED_TRACE(k);
        Workspace ws;
        EXPECT_TRUE(ReadCalibrationFile(ws, folder.write("cal.csv", variants[k])).ok);
        EXPECT_EQ(ws.AcidConc.value(), 0.1);
        if (k == 0) first = calibrationPoints(ws);
        EXPECT_EQ(calibrationPoints(ws), first);
    }
    EXPECT_EQ(first, (Points{{0.5, 220.1}, {0.0015, 180.0}}));
}

TEST(ReadCalibrationFile, SecondLineEndMarkGivesNoPointsButKeepsConstants)
{
    TempFolder folder;
    Workspace ws;
    ReadCalibrationFile(ws, folder.write("cal.txt", "0.1,50\n0,0\n1,200\n"));
    EXPECT_EQ(ws.CalCount, 0);
    EXPECT_EQ(ws.AcidConc.value(), 0.1);
    EXPECT_EQ(ws.InitVolume.value(), 50.0);
}

TEST(ReadCalibrationFile, UnreadableHeaderLeavesAnEmptyDataSet)
{
    TempFolder folder;
    Workspace ws;
    ReadCalibrationFile(ws, folder.write("cal.txt", "Acid,Volume\n0.1,50\n1,200\n"));
    EXPECT_EQ(ws.CalCount, 0);
    EXPECT_TRUE(ws.AcidConc.isEmpty());
    EXPECT_TRUE(ws.InitVolume.isEmpty());
}

TEST(ReadCalibrationFile, FileThatCannotBeOpenedEmptiesTheDataSetAndSaysWhy)
{
    TempFolder folder;
    Workspace ws;
    ReadCalibrationFile(ws, folder.write("cal.txt", "0.1,50\n1,200\n2,210\n"));
    ASSERT_EQ(ws.CalCount, 2);

    const FileOutcome missing = ReadCalibrationFile(ws, (folder.path() / "absent.txt").string());
    EXPECT_FALSE(missing.ok);
    EXPECT_EQ(missing.reason, "No such file or directory");
    EXPECT_EQ(ws.CalCount, 0);
    EXPECT_TRUE(ws.AcidConc.isEmpty());

    EXPECT_FALSE(ReadCalibrationFile(ws, folder.path().string()).ok);
    EXPECT_EQ(ws.CalCount, 0);
}

TEST(ReadCalibrationFile, LeavesTheOtherDataSetAlone)
{
    TempFolder folder;
    Workspace ws;
    ReadAdjustmentFile(ws, folder.write("adj.txt", "1,200\n"));
    ReadCalibrationFile(ws, folder.write("cal.txt", "0.1,50\n1,200\n"));
    EXPECT_EQ(ws.AdjCount, 1);
}

TEST(ReadAdjustmentFile, EndMarkEndsTheDataAndIsDropped)
{
    TempFolder folder;
    const Points plain = readAdjustment(folder, "1,200\n2,210\n3,220");
    EXPECT_EQ(plain, (Points{{1, 200}, {2, 210}, {3, 220}}));
    EXPECT_EQ(readAdjustment(folder, "1,200\n2,210\n3,220\n0,0\n"), plain);
    EXPECT_EQ(readAdjustment(folder, "1,200\n2,210\n3,220\n0,0\n4,230\n5,240\n"), plain);
    EXPECT_EQ(readAdjustment(folder, "1,200\n2,210\n3,220\n-0,0.0E5\n4,230\n"), plain);
}

TEST(ReadAdjustmentFile, ZeroVolumeWithEmfIsAPoint)
{
    TempFolder folder;
    EXPECT_EQ(readAdjustment(folder, "0,5\n0.0,-3\n"), (Points{{0, 5}, {0, -3}}));
}

TEST(ReadAdjustmentFile, ARecordThatIsNotTwoNumbersEndsTheDataSilently)
{
    TempFolder folder;
    const std::string before = "1,200\n2,210\n";
    const std::vector<std::string> stoppers = {
        "\n",  "   \n", "volume,emf\n", "1,2,3\n", "1,2,\n", "1,,2\n", "1;2\n", "1\n",
        "1 2\n", "1,abc\n", "inf,1\n", "1,nan\n", "1e999,1\n", "0x10,1\n", "1.5.2,1\n", "--1,1\n",
    };
    for (const std::string& stopper : stoppers) {
        SCOPED_TRACE(stopper);
        EXPECT_EQ(readAdjustment(folder, before + stopper + "3,220\n"), (Points{{1, 200}, {2, 210}}));
    }
}

TEST(ReadAdjustmentFile, TrailingBlanksAndTabsAfterTheSecondFieldAreSkipped)
{
    TempFolder folder;
    EXPECT_EQ(readAdjustment(folder, "1,200 \t\r\n\t2\t\t210\n"), (Points{{1, 200}, {2, 210}}));
}

TEST(ReadAdjustmentFile, ALaterShorterFileReplacesAllPoints)
{
    TempFolder folder;
    Workspace ws;
    ReadAdjustmentFile(ws, folder.write("long.txt", "1,200\n2,210\n3,220\n"));
    ReadAdjustmentFile(ws, folder.write("short.txt", "7,270\n"));
    EXPECT_EQ(adjustmentPoints(ws), (Points{{7, 270}}));
    EXPECT_EQ(ws.AdjVolume.size(), 2u);
    EXPECT_EQ(ws.AdjEmf.size(), 2u);
}

TEST(ReadAdjustmentFile, ByteOrderMarkAtTheStartIsSkipped)
{
    TempFolder folder;
    EXPECT_EQ(readAdjustment(folder, "\xEF\xBB\xBF" "1,200\n"), (Points{{1, 200}}));
}

}  // namespace
}  // namespace quorlin
