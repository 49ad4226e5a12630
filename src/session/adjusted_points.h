#pragma once

#include "core/adjustment.h"
#include "io/data_files.h"
#include "text/number_text.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace quorlin {

// The "###0.00" texts of the adjusted emf and what marks them as doubtful; see
// AdjustmentResult for a failed point.
struct AdjustmentReport {
    std::vector<std::string> texts;
    std::int32_t failedPoint = 0;
    AdjustmentFlags flags;
};

// The adjusted emf of a data set as numbers, their texts made only when asked for, so
// that a million adjusted points never stand in memory as text. It reads the volumes of
// the data it was made from, which must outlive it unchanged.
class AdjustedPoints {
public:
    AdjustedPoints(const AdjustmentData& data, std::shared_ptr<const AdjustmentResult> result,
                   const RegionalSettings& regional);

    // The points adjusted, from point 1 on; see AdjustmentResult for a failed point.
    std::size_t size() const { return result_->adjusted.size(); }
    std::int32_t failedPoint() const { return result_->failedPoint; }
    const AdjustmentFlags& flags() const { return result_->flags; }

    // The adjusted text of point i + 1, as the window shows it.
    std::string adjustedText(std::size_t i) const;
    // What saving adjusted data writes for point i + 1: its volume and its adjusted text.
    TextRecord record(std::size_t i) const;
    // Every adjusted text at once, for the window's grid and the records of a run.
    AdjustmentReport texts() const;

    // As firstRecordEndingData over every record.
    std::optional<std::size_t> firstRecordEndingData() const;
    // Appends the line a data file holds for record i, as appendDataFileLine(record(i)).
    void appendLine(std::string& out, std::size_t i) const;

private:
    Number volume(std::size_t i) const { return pointOr0(data_->volume, static_cast<std::int32_t>(i) + 1); }
    // Whether record i takes the short way: texts made straight into the line.
    bool plainLine(std::size_t i) const;

    const AdjustmentData* data_;
    std::shared_ptr<const AdjustmentResult> result_;
    RegionalSettings regional_;
};

}  // namespace quorlin
