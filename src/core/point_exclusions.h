#pragma once

#include <cstdint>
#include <vector>

namespace quorlin {

// The calibration points left out of the fit, by point number (1..), kept apart from
// the data so that files and the grid stay as they are.
class PointExclusions {
public:
    bool empty() const { return points_.empty(); }
    std::int32_t size() const { return static_cast<std::int32_t>(points_.size()); }
    const std::vector<std::int32_t>& points() const { return points_; }
    bool contains(std::int32_t point) const;

    void toggle(std::int32_t point);
    void clear() { points_.clear(); }
    // A point put in at `point` moves the later exclusions up; removing one moves them down.
    void pointInserted(std::int32_t point);
    void pointRemoved(std::int32_t point);

private:
    std::vector<std::int32_t> points_;  // ascending
};

}  // namespace quorlin
