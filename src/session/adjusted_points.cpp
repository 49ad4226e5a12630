#include "adjusted_points.h"

#include <cmath>

namespace quorlin {

namespace {

// Below this an adjusted text reads back as a finite number with either separator, so a
// comma in it is always written as a point.
constexpr double kPlainLimit = 1e15;

// A volume whose point number text reads back as a finite number, zero only for zero;
// near the top of the double range the shown digits may round beyond it.
bool volumeReadsBack(double volume) { return std::fabs(volume) <= 1e300; }

}  // namespace

AdjustedPoints::AdjustedPoints(const AdjustmentData& data, std::shared_ptr<const AdjustmentResult> result,
                               const RegionalSettings& regional)
    : data_(&data), result_(std::move(result)), regional_(regional)
{
}

std::string AdjustedPoints::adjustedText(std::size_t i) const
{
    std::string text;
    appendTwoDecimalText(text, result_->adjusted[i], regional_);
    return text;
}

TextRecord AdjustedPoints::record(std::size_t i) const { return {pointNumberText(volume(i)), adjustedText(i)}; }

AdjustmentReport AdjustedPoints::texts() const
{
    AdjustmentReport report;
    report.failedPoint = failedPoint();
    report.flags = flags();
    report.texts.reserve(size());
    for (std::size_t i = 0; i < size(); ++i) report.texts.push_back(adjustedText(i));
    return report;
}

bool AdjustedPoints::plainLine(std::size_t i) const
{
    // A file holds a decimal point, so a comma is written as one; any other separator
    // goes the general way.
    return (regional_.decimalSeparator == '.' || regional_.decimalSeparator == ',')
           && std::fabs(result_->adjusted[i]) < kPlainLimit;
}

std::optional<std::size_t> AdjustedPoints::firstRecordEndingData() const
{
    for (std::size_t i = 0; i < size(); ++i) {
        // Two numbers that read back, the adjusted one 0.01 or more: no end mark.
        if (plainLine(i) && std::fabs(result_->adjusted[i]) >= 0.005 && volumeReadsBack(volume(i).value())) continue;
        if (recordEndsData(record(i))) return i;
    }
    return std::nullopt;
}

void AdjustedPoints::appendLine(std::string& out, std::size_t i) const
{
    if (!plainLine(i)) {
        appendDataFileLine(out, record(i));
        return;
    }
    // The volume text holds no comma; the adjusted text is written with a point.
    appendPointNumberText(out, volume(i));
    out += '\t';
    appendTwoDecimalText(out, result_->adjusted[i], {'.', regional_.groupingSymbol});
    out += "\r\n";
}

}  // namespace quorlin
