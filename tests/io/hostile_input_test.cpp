#include "io/data_files.h"
#include "io/record_reader.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <fstream>
#include <optional>

namespace quorlin {
namespace {

using testing::TempFolder;

struct Point {
    double volume;
    double emf;
};

// What each file of the hostile corpus must load as: the header (if any), the count and
// last of the calibration points, and the number of points as data for adjustment.
struct HostileFile {
    const char* name;
    std::optional<Point> header;
    std::int32_t calCount;
    Point lastCal;
    std::int32_t adjCount;
};

const HostileFile kHostileFiles[] = {
    {"empty.txt", std::nullopt, 0, {}, 0},
    {"binary_junk.bin", std::nullopt, 0, {}, 0},
    {"utf16.txt", std::nullopt, 0, {}, 0},
    {"header_only.txt", Point{0.1, 50}, 0, {}, 1},
    {"end_mark_only.txt", Point{0, 0}, 0, {}, 0},
    {"nan_value.txt", Point{0.1, 50}, 1, {1, 300}, 2},
    {"infinite_value.txt", Point{0.1, 50}, 1, {1, 300}, 2},
    {"overflowing_value.txt", Point{0.1, 50}, 1, {1, 300}, 2},
    {"cr_line_ends.txt", Point{0.1, 50}, 2, {1, 234.65}, 3},
    {"truncated_in_digits.txt", Point{0.1, 50}, 2, {1, 234.6}, 3},
    {"truncated_in_exponent.txt", Point{0.1, 50}, 1, {0.5, 227.56}, 2},
};

TEST(HostileInput, EachCorpusFileEndsItsDataWhereTheReadingRulesSay)
{
    for (const HostileFile& file : kHostileFiles) {
        SCOPED_TRACE(file.name);
        const std::string path = std::string(QUORLIN_HOSTILE_DIR) + "/" + file.name;

        Workspace cal;
        EXPECT_TRUE(readCalibrationFile(cal, path).ok);
        ASSERT_EQ(cal.CalCount, file.calCount);
        ASSERT_EQ(cal.CalVolume.size(), static_cast<std::size_t>(file.calCount) + 1);
        EXPECT_EQ(cal.AcidConc.isEmpty(), !file.header);
        if (file.header) {
            EXPECT_EQ(cal.AcidConc.value(), file.header->volume);
            EXPECT_EQ(cal.InitVolume.value(), file.header->emf);
        }
        if (file.calCount > 0) {
            EXPECT_EQ(cal.CalVolume[file.calCount].value(), file.lastCal.volume);
            EXPECT_EQ(cal.CalEmf[file.calCount].value(), file.lastCal.emf);
        }

        Workspace adj;
        EXPECT_TRUE(readAdjustmentFile(adj, path).ok);
        EXPECT_EQ(adj.AdjCount, file.adjCount);
        EXPECT_EQ(adj.AdjEmf.size(), static_cast<std::size_t>(adj.AdjCount) + 1);
    }
}

std::int32_t adjustmentCount(const TempFolder& folder, std::string_view bytes)
{
    Workspace ws;
    EXPECT_TRUE(readAdjustmentFile(ws, folder.write("hostile.txt", bytes)).ok);
    EXPECT_EQ(ws.AdjVolume.size(), static_cast<std::size_t>(ws.AdjCount) + 1);
    return ws.AdjCount;
}

// Peak resident memory of this process since the last reset, in kB.
long PeakResidentKb()
{
    std::ifstream status("/proc/self/status");
    std::string key;
    long kb = 0;
    while (status >> key) {
        if (key == "VmHWM:") return status >> kb ? kb : 0;
    }
    return 0;
}

void ResetPeakResident() { std::ofstream("/proc/self/clear_refs") << "5"; }

TEST(HostileInput, FiftyMegabyteLineEndsTheDataInBoundedMemory)
{
    TempFolder folder;
    const std::string path = (folder.path() / "long-line.txt").string();
    {
        std::ofstream out(path, std::ios::binary);
        out << "1,200\n";
        const std::string chunk(1 << 20, '7');
        for (int i = 0; i < 50; ++i) out << chunk;
        out << ",1\n3,220\n";
    }
    ResetPeakResident();
    const long before = PeakResidentKb();
    Workspace ws;
    EXPECT_TRUE(readAdjustmentFile(ws, path).ok);
    EXPECT_EQ(ws.AdjCount, 1);
    EXPECT_EQ(ws.AdjEmf[1].value(), 200.0);
    // Far less than the line: it is never held.
    EXPECT_LT(PeakResidentKb() - before, 8 * 1024);
}

TEST(HostileInput, LongLinesEndTheDataAtTheLineBound)
{
    TempFolder folder;
    const std::string record = "1,200";
    const std::string fits = record + std::string(LineReader::kMaxLineLength - record.size(), ' ');
    EXPECT_EQ(adjustmentCount(folder, fits + "\n2,210\n"), 2);
    EXPECT_EQ(adjustmentCount(folder, fits + " \n2,210\n"), 0);

    std::string fields;
    for (int i = 0; i < 1000000; ++i) fields += "1,";
    EXPECT_EQ(adjustmentCount(folder, "5,250\n" + fields + "\n"), 1);
    // Directly, without the line bound in front, the record parser gives up at field 3.
    EXPECT_FALSE(parseRecord(fields).has_value());
}

}  // namespace
}  // namespace quorlin
