#include "io/data_files.h"
#include "io/record_reader.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <random>

namespace quorlin {
namespace {

using testing::TempFolder;

std::int32_t adjustmentCount(const TempFolder& folder, std::string_view bytes)
{
    Workspace ws;
    EXPECT_TRUE(ReadAdjustmentFile(ws, folder.write("hostile.txt", bytes)).ok);
    EXPECT_EQ(ws.AdjVolume.size(), static_cast<std::size_t>(ws.AdjCount) + 1);
    return ws.AdjCount;
}

TEST(HostileInput, BinaryJunkAfterRecordsEndsTheData)
{
    TempFolder folder;
    std::mt19937 random(7);
    for (int round = 0; round < 20; ++round) {
        std::string junk(64 * 1024, '\0');
        for (char& c : junk) c = static_cast<char>(random());
        junk[0] = '\x01';  // never a number, whatever follows
        SCOPED_TRACE(round);
        EXPECT_EQ(adjustmentCount(folder, "1,200\n2,210\n" + junk), 2);
    }
}

TEST(HostileInput, JunkWithoutRecordsGivesNoPointsInEitherLayout)
{
    TempFolder folder;
    const std::string junk("\0\0\xff\xfe\r\n,\t,\x7f\x80 9,,\n", 16);
    EXPECT_EQ(adjustmentCount(folder, junk), 0);
    Workspace ws;
    ReadCalibrationFile(ws, folder.write("cal.txt", junk));
    EXPECT_EQ(ws.CalCount, 0);
}

TEST(HostileInput, VeryLongLineEndsTheDataWithoutReadingItAll)
{
    TempFolder folder;
    const std::string longLine(16 * 1024 * 1024, '7');
    EXPECT_EQ(adjustmentCount(folder, "1,200\n" + longLine + ",1\n3,220\n"), 1);
    EXPECT_EQ(adjustmentCount(folder, longLine), 0);
}

TEST(HostileInput, LineLengthBoundLiesAtTheLimit)
{
    TempFolder folder;
    const std::string record = "1,200";
    const std::string fits = record + std::string(LineReader::kMaxLineLength - record.size(), ' ');
    EXPECT_EQ(adjustmentCount(folder, fits + "\n2,210\n"), 2);
    EXPECT_EQ(adjustmentCount(folder, fits + " \n2,210\n"), 0);
}

TEST(HostileInput, HugeFieldCountOnOneLine)
{
    TempFolder folder;
    std::string fields;
    for (int i = 0; i < 1000000; ++i) fields += "1,";
    EXPECT_EQ(adjustmentCount(folder, "5,250\n" + fields + "\n"), 1);
    // Directly, without the line bound in front, the record parser gives up at field 3.
    EXPECT_FALSE(ParseRecord(fields).has_value());
}

TEST(HostileInput, ManyRecordsAreAllRead)
{
    TempFolder folder;
    std::string text;
    for (int i = 1; i <= 200000; ++i) text += std::to_string(i) + "\t" + std::to_string(i % 300) + ".5\r\n";
    Workspace ws;
    ReadAdjustmentFile(ws, folder.write("many.txt", text));
    ASSERT_EQ(ws.AdjCount, 200000);
    EXPECT_EQ(ws.AdjVolume[200000].value(), 200000.0);
    EXPECT_EQ(ws.AdjEmf[299].value(), 299.5);
}

}  // namespace
}  // namespace quorlin
