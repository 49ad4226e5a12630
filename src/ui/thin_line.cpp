#include "thin_line.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdlib>

namespace quorlin {

namespace {

struct StepRange {
    std::int64_t first;
    std::int64_t last;
};

// Steps k in [0, steps) whose coordinate start + k * direction lies in [0, size).
StepRange visibleSteps(std::int64_t start, std::int64_t direction, std::int64_t steps, std::int64_t size)
{
    if (direction > 0) return {std::max<std::int64_t>(0, -start), std::min(steps - 1, size - 1 - start)};
    return {std::max<std::int64_t>(0, start - (size - 1)), std::min(steps - 1, start)};
}

}  // namespace

void drawThinLine(QImage& image, QPoint from, QPoint to, QRgb colour)
{
    const std::int64_t dx = static_cast<std::int64_t>(to.x()) - from.x();
    const std::int64_t dy = static_cast<std::int64_t>(to.y()) - from.y();
    if (dx == 0 && dy == 0) return;

    const bool alongX = std::llabs(dx) >= std::llabs(dy);
    const std::int64_t steps = alongX ? std::llabs(dx) : std::llabs(dy);
    const std::int64_t majorStart = alongX ? from.x() : from.y();
    const std::int64_t minorStart = alongX ? from.y() : from.x();
    const std::int64_t direction = (alongX ? dx : dy) > 0 ? 1 : -1;
    const double slope = static_cast<double>(alongX ? dy : dx) / static_cast<double>(steps);
    const std::int64_t majorSize = alongX ? image.width() : image.height();
    const std::int64_t minorSize = alongX ? image.height() : image.width();

    const StepRange range = visibleSteps(majorStart, direction, steps, majorSize);
    if (range.first > range.last) return;

    uchar* const bits = image.bits();
    const qsizetype stride = image.bytesPerLine();
    const qsizetype pixel = sizeof(QRgb);
    auto at = [&](std::int64_t major, std::int64_t minor) {
        return alongX ? bits + minor * stride + major * pixel : bits + major * stride + minor * pixel;
    };

    // Most plot lines are ticks, frame edges, marker arms and sticks: straight runs.
    if (slope == 0) {
        if (minorStart < 0 || minorStart >= minorSize) return;
        const qsizetype step = direction * (alongX ? pixel : stride);
        uchar* p = at(majorStart + range.first * direction, minorStart);
        for (std::int64_t k = range.first; k <= range.last; ++k, p += step) *reinterpret_cast<QRgb*>(p) = colour;
        return;
    }
    for (std::int64_t k = range.first; k <= range.last; ++k) {
        const auto minor = minorStart + static_cast<std::int64_t>(std::floor(static_cast<double>(k) * slope + 0.5));
        if (minor < 0 || minor >= minorSize) continue;
        *reinterpret_cast<QRgb*>(at(majorStart + k * direction, minor)) = colour;
    }
}

}  // namespace quorlin
