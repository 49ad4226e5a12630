#include "trend_plot.h"

#include "plot/frame.h"

#include <algorithm>
#include <cmath>
#include <limits>

namespace quorlin {

namespace {

constexpr std::int32_t kSizeFactor = 1;
constexpr std::int32_t kYIntervals = 5;

struct Range {
    double low = std::numeric_limits<double>::infinity();
    double high = -std::numeric_limits<double>::infinity();

    void take(double v)
    {
        if (!std::isfinite(v)) return;
        low = std::min(low, v);
        high = std::max(high, v);
    }
    bool empty() const { return low > high; }
};

// The values and limits with a tenth of their span to spare, so nothing sits on the frame.
Range valueRange(const TrendSeries& series)
{
    Range r;
    for (const double v : series.values) r.take(v);
    if (series.low) r.take(*series.low);
    if (series.high) r.take(*series.high);
    if (r.empty()) return {0.0, 1.0};
    const double spare = r.high > r.low ? (r.high - r.low) / 10 : std::max(std::abs(r.low) / 10, 1.0);
    return {r.low - spare, r.high + spare};
}

void drawLimit(Surface& s, const PlotMapping& m, std::optional<double> limit)
{
    if (!limit) return;
    const auto py = yToPixel(m, *limit);
    if (!py || *py < m.top || *py > m.bottom) return;
    s.setPenColour(PenColour::Grey);
    s.moveTo(m.left, *py);
    s.lineTo(m.right + 1, *py);
    s.setPenColour(PenColour::Black);
}

void drawSeries(Surface& s, const PlotMapping& m, const std::vector<double>& times, const TrendSeries& series)
{
    bool drawing = false;
    const std::size_t n = std::min(times.size(), series.values.size());
    for (std::size_t i = 0; i < n; ++i) {
        const auto px = xToPixel(m, times[i]);
        const auto py = yToPixel(m, series.values[i]);
        if (!px || !py) {
            drawing = false;
            continue;
        }
        if (drawing) s.lineTo(*px, *py);
        drawCross(s, kSizeFactor, *px, *py);
        s.moveTo(*px, *py);
        drawing = true;
    }
}

}  // namespace

void drawTrendPlots(Surface& surface, const std::vector<double>& times, const std::vector<TrendSeries>& series,
                    std::string_view timeTitle, const RegionalSettings& regional)
{
    surface.clear();
    const double width = surface.innerWidth() / 2, height = surface.innerHeight() / 2;
    Range x;
    for (const double t : times) x.take(t);
    if (x.empty()) x = {0.0, 1.0};
    for (std::size_t k = 0; k < series.size() && k < 4; ++k) {
        const double left = (k % 2) * width, top = static_cast<double>(k / 2) * height;
        PlotMapping m;
        m.left = nearest(left + 64).value_or(0);
        m.right = nearest(left + width - 16).value_or(0);
        m.top = nearest(top + 28).value_or(0);
        m.bottom = nearest(top + height - 44).value_or(0);
        if (m.right <= m.left || m.bottom <= m.top) return;
        const Range y = valueRange(series[k]);
        double xMax = x.high, yMax = y.high;
        drawFrame(surface, m, kSizeFactor, kYIntervals, x.low, y.low, xMax, yMax, timeTitle, "", series[k].title,
                  regional);
        drawLabel(surface, nearest(left).value_or(0), (m.top + m.bottom) / 2, 9 * kSizeFactor, LabelMode::Upward,
                  series[k].axisTitle);
        drawLimit(surface, m, series[k].low);
        drawLimit(surface, m, series[k].high);
        drawSeries(surface, m, times, series[k]);
    }
}

}  // namespace quorlin
