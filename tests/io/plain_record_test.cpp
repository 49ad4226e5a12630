#include "io/data_files.h"
#include "io/plain_record.h"
#include "support/temp_folder.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <charconv>
#include <cstdint>
#include <string_view>

namespace quorlin {
namespace {

std::uint64_t bitsOf(double value) { return std::bit_cast<std::uint64_t>(value); }

std::uint64_t fromCharsBits(std::string_view text)
{
    double value = 0.0;
    std::from_chars(text.data(), text.data() + text.size(), value);
    return bitsOf(value);
}

// 15, 16 and 17 significant digits: decimals within a millionth of a unit in the last
// place of a tie between two doubles (found by search), whole numbers that are exact
// ties beyond 2^53, the largest of 15 digits and leading zeros that count as digits.
constexpr std::string_view kNumbers[] = {
    "3.36906237564055",   "-558.400486600232",   "657652.054854299",   "6535291544.09059",   "999999999999999",
    "-9.99999999999999",  "0.00000000000001",    "0.300000000000000",  "6.519261318117199",  "-614.1346926922742",
    "775910.7521489879",  "7036230328.121243",   "9007199254740993",   "-9007199254740995",  "0.000000000000001",
    "5.5366196308987079", "-617.92267040780456", "700748.85364051949", "6296053360.3195014", "12345678901234567",
    "-99999999999999999", "0.30000000000000004"};

TEST(plainRecord, NumbersReadToTheBitsOfFromChars)
{
    std::string file;
    for (std::size_t i = 0; i < std::size(kNumbers); ++i) {
        const std::string_view text = kNumbers[i];
        // Up to 15 digits the plain path takes the number itself; longer ones go the general way.
        const std::string bytes = std::string(text) + '\n';
        double plain = 0.0;
        const char* const end = parsePlainNumber(bytes.c_str(), plain);
        if (std::count_if(text.begin(), text.end(), isDigit) <= kMostPlainDigits) {
            ASSERT_EQ(end, bytes.c_str() + text.size()) << text;
            EXPECT_EQ(bitsOf(plain), fromCharsBits(text)) << text;
        } else {
            EXPECT_EQ(end, nullptr) << text;
        }
        file += std::string(text) + (i % 2 ? "\t" : ",") + std::string(text) + "\r\n";
    }
    // Through the reader, where plain records and the others alternate.
    const testing::TempFolder folder;
    AdjustmentData data;
    ASSERT_TRUE(readAdjustmentFile(data, folder.write("numbers.txt", file)).ok);
    ASSERT_EQ(data.count, static_cast<std::int32_t>(std::size(kNumbers)));
    for (std::size_t i = 0; i < std::size(kNumbers); ++i) {
        EXPECT_EQ(bitsOf(data.volume[i + 1].value()), fromCharsBits(kNumbers[i])) << kNumbers[i];
        EXPECT_EQ(bitsOf(data.emf[i + 1].value()), fromCharsBits(kNumbers[i])) << kNumbers[i];
    }
}

}  // namespace
}  // namespace quorlin
