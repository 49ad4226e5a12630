#include "frame.h"

#include "plot/ticks.h"

#include <cmath>
#include <limits>
#include <optional>

namespace quorlin {

namespace {

constexpr std::int32_t kXIntervals = 10;
constexpr std::int32_t kLabelPoints = 9;
constexpr std::int32_t kFrameMargin = 4;  // pixels beyond the data area, whatever the size factor

struct TickSpan {
    std::int64_t first;
    std::int64_t last;
};

// A step that the multipliers could not make coarse enough would give an endless row of
// ticks; such a range, like one that is not finite, gets none.
bool stepCovers(double low, double high, double step, std::int32_t n)
{
    return std::isfinite(step) && step != 0 && std::abs(high - low) / std::abs(step) <= n;
}

// The first tick is the first multiple of the step inside the range next to its start,
// for a reversed range (negative step) as well.
std::int64_t firstInside(std::int64_t index, double step, double start)
{
    const double value = static_cast<double>(index) * step;
    return (step > 0 ? value < start : value > start) ? index + 1 : index;
}

std::optional<TickSpan> xTicks(const PlotMapping& m, std::int32_t f, double xMin, double xMax, double xStep)
{
    if (!stepCovers(xMin, xMax, xStep, kXIntervals)) return std::nullopt;
    const std::optional<std::int32_t> i1 = nearest(xMin / xStep);
    const std::optional<std::int32_t> i2 = nearest(xMax / xStep);
    if (!i1 || !i2) return std::nullopt;
    const std::optional<std::int32_t> lastPixel = xToPixel(m, *i2 * xStep);
    if (!lastPixel) return std::nullopt;
    // The last tick may stand up to 2f pixels right of the data area.
    const bool lastBeyond = *lastPixel > static_cast<std::int64_t>(m.right) + 2 * f;
    return TickSpan{firstInside(*i1, xStep, xMin), lastBeyond ? *i2 - 1 : *i2};
}

std::optional<TickSpan> yTicks(double yMin, double yMax, double yStep, std::int32_t nY)
{
    if (!stepCovers(yMin, yMax, yStep, nY)) return std::nullopt;
    const std::optional<std::int32_t> j1 = nearest(yMin / yStep);
    const std::optional<std::int32_t> j2 = nearest(std::floor(yMax / yStep));
    if (!j1 || !j2) return std::nullopt;
    return TickSpan{firstInside(*j1, yStep, yMin), *j2};
}

// With more than five ticks only every second one is labelled.
std::int64_t labelStride(const TickSpan& t) { return t.last - t.first > 4 ? 2 : 1; }

void line(Surface& s, std::int32_t x1, std::int32_t y1, std::int32_t x2, std::int32_t y2)
{
    s.moveTo(x1, y1);
    s.lineTo(x2, y2);
}

std::int32_t middle(std::int32_t a, std::int32_t b) { return *nearest((static_cast<double>(a) + b) / 2); }

void drawXAxis(Surface& s, const PlotMapping& m, std::int32_t f, double xMin, double xMax, double xStep,
               std::string_view xTitle, const RegionalSettings& regional)
{
    if (const std::optional<TickSpan> t = xTicks(m, f, xMin, xMax, xStep)) {
        for (std::int64_t i = t->first; i <= t->last; ++i) {
            if (const auto px = xToPixel(m, i * xStep)) line(s, *px, m.bottom, *px, m.bottom + 2 * f);
        }
        for (std::int64_t i = t->first; i <= t->last; i += labelStride(*t)) {
            const auto px = xToPixel(m, i * xStep);
            if (!px) continue;
            line(s, *px, m.bottom, *px, m.bottom + 4 * f);
            drawLabel(s, *px, m.bottom + 6 * f, kLabelPoints * f, LabelMode::Centred,
                      tickLabelText(i * xStep, xStep, regional));
        }
    }
    drawLabel(s, middle(m.right, m.left), m.bottom + 20 * f, kLabelPoints * f, LabelMode::Centred, xTitle);
}

void drawYAxis(Surface& s, const PlotMapping& m, std::int32_t f, std::int32_t nY, double yMin, double yMax,
               double yStep, std::string_view yTitle, const RegionalSettings& regional)
{
    const std::int32_t edge = m.left - kFrameMargin;
    if (const std::optional<TickSpan> t = yTicks(yMin, yMax, yStep, nY)) {
        for (std::int64_t j = t->first; j <= t->last; ++j) {
            if (const auto py = yToPixel(m, j * yStep)) line(s, edge, *py, edge - 2 * f, *py);
        }
        for (std::int64_t j = t->first; j <= t->last; j += labelStride(*t)) {
            const auto py = yToPixel(m, j * yStep);
            if (!py) continue;
            line(s, edge, *py, edge - 4 * f, *py);
            drawLabel(s, edge - 6 * f, *py - 6 * f, kLabelPoints * f, LabelMode::RightEnd,
                      tickLabelText(j * yStep, yStep, regional));
        }
    }
    drawLabel(s, 0, middle(m.top, m.bottom), kLabelPoints * f, LabelMode::Upward, yTitle);
}

}  // namespace

void drawLabel(Surface& surface, std::int32_t x, std::int32_t y, std::int32_t size, LabelMode mode,
               std::string_view text)
{
    if (text.empty()) return;
    const double twipsPerPixel = 1440 / surface.dotsPerInch();
    Font font{std::string(kLabelFace), nearest(size * 20 / twipsPerPixel).value_or(0), 0};
    TextAlign align = TextAlign::Centre;
    switch (mode) {
    case LabelMode::Centred: break;
    case LabelMode::Upward: font.escapement = 90; break;
    case LabelMode::RightEnd: align = TextAlign::Right; break;
    }
    surface.drawText(x, y, align, font, text);
}

void drawCross(Surface& surface, std::int32_t f, std::int32_t px, std::int32_t py)
{
    const std::int64_t arm = 4 * static_cast<std::int64_t>(f);
    // A marker at the very end of the pixel range would wrap round; it is left out.
    if (!fitsInt32(px - arm) || !fitsInt32(px + arm) || !fitsInt32(py - arm) || !fitsInt32(py + arm)) return;
    const auto a = static_cast<std::int32_t>(arm);
    line(surface, px - a, py, px + a, py);
    line(surface, px, py - a, px, py + a);
}

void drawHollowCross(Surface& surface, std::int32_t f, std::int32_t px, std::int32_t py)
{
    const std::int64_t arm = 4 * static_cast<std::int64_t>(f);
    if (!fitsInt32(px - arm) || !fitsInt32(px + arm) || !fitsInt32(py - arm) || !fitsInt32(py + arm)) return;
    const auto a = static_cast<std::int32_t>(arm);
    const std::int32_t w = f;
    // Round the outline from the left arm's upper edge, clockwise.
    const std::int32_t corners[][2] = {{-a, -w}, {-w, -w}, {-w, -a}, {w, -a}, {w, -w}, {a, -w},
                                       {a, w},   {w, w},   {w, a},   {-w, a}, {-w, w}, {-a, w}};
    surface.setPenColour(PenColour::Grey);
    surface.moveTo(px - a, py - w);
    for (std::size_t i = 1; i <= std::size(corners); ++i) {
        const auto& c = corners[i % std::size(corners)];
        surface.lineTo(px + c[0], py + c[1]);
    }
    surface.setPenColour(PenColour::Black);
}

void drawFrame(Surface& surface, PlotMapping& m, std::int32_t f, std::int32_t nY, double xMin, double yMin,
               double& xMax, double& yMax, std::string_view xTitle, std::string_view yTitle, std::string_view title,
               const RegionalSettings& regional)
{
    surface.setPenWidth(f);

    const std::int32_t left = m.left - kFrameMargin;
    const std::int32_t right = m.right + kFrameMargin;
    surface.moveTo(left, m.bottom);
    surface.lineTo(right, m.bottom);
    surface.lineTo(right, m.top);
    surface.lineTo(left, m.top);
    surface.lineTo(left, m.bottom);

    drawLabel(surface, middle(m.right, m.left), m.top - 16 * f, kLabelPoints * f, LabelMode::Centred, title);

    // Both steps come from the ranges as passed, before setScales may widen them.
    const double xStep = tickStep(xMin, xMax, kXIntervals);
    const double yStep = tickStep(yMin, yMax, nY);
    setScales(m, xMax, xMin, yMax, yMin);

    // Without an x title the bottom edge stays bare: the plot below labels the axis.
    if (!xTitle.empty()) drawXAxis(surface, m, f, xMin, xMax, xStep, xTitle, regional);
    drawYAxis(surface, m, f, nY, yMin, yMax, yStep, yTitle, regional);

    // Back to the surface's own one-pixel pen.
    surface.setPenWidth(1);
}

}  // namespace quorlin
