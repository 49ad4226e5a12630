#include "calibration_plot.h"

#include "plot/frame.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <vector>

namespace quorlin {

namespace {

constexpr std::int32_t kSizeFactor = 1;
constexpr std::int32_t kYIntervals = 10;
// Reach of a marker from its point: the cross's arm, and the size of an edge mark.
constexpr std::int32_t kMarkerArm = 4 * kSizeFactor;

// What the plots read of each point.
struct Points {
    std::int32_t count;
    const PointArray& pH;
    const PointArray& emf;
    const PointArray& residual;
};

std::int32_t slotsAfterZero(const PointArray& a)
{
    return a.empty() ? 0 : static_cast<std::int32_t>(std::min<std::size_t>(a.size() - 1, INT32_MAX));
}

// After an insertion the count can run ahead of the model values until they are
// recomputed; only points that have all their values are drawn. A residual not yet
// evaluated counts as 0.
std::int32_t plottablePoints(const Points& data)
{
    return std::max(0, std::min({data.count, slotsAfterZero(data.pH), slotsAfterZero(data.emf)}));
}

double at(const PointArray& a, std::int32_t i) { return a[static_cast<std::size_t>(i)].value(); }

// The pixel of a value, held within 2^30 so that a point too far out for 32 bits still
// has a side to be marked on; none for NaN.
std::optional<std::int32_t> reach(std::int32_t offset, double scale, double v)
{
    const double p = offset + v * scale;
    if (std::isnan(p)) return std::nullopt;
    return nearest(std::clamp(p, -0x1p30, 0x1p30));
}

// The part of the surface one plot may draw on, edges included.
struct Panel {
    std::int32_t left;
    std::int32_t top;
    std::int32_t right;
    std::int32_t bottom;

    bool contains(std::int64_t x, std::int64_t y) const { return x >= left && x <= right && y >= top && y <= bottom; }
};

// Cuts lines at the edges of a panel, so that a plot neither runs into the other nor off
// the surface. What lies wholly inside reaches the surface as it was asked for.
class ClippedSurface final : public Surface {
public:
    ClippedSurface(Surface& s, const Panel& panel) : s_(s), panel_(panel) {}

    void clear() override { s_.clear(); }
    double innerWidth() const override { return s_.innerWidth(); }
    double innerHeight() const override { return s_.innerHeight(); }
    bool isRaster() const override { return s_.isRaster(); }
    double dotsPerInch() const override { return s_.dotsPerInch(); }
    void setPenWidth(std::int32_t pixels) override { s_.setPenWidth(pixels); }
    void setPenColour(PenColour colour) override { s_.setPenColour(colour); }

    void moveTo(std::int32_t x, std::int32_t y) override
    {
        x_ = x;
        y_ = y;
        if (panel_.contains(x, y)) place(x, y);
    }

    void lineTo(std::int32_t x, std::int32_t y) override
    {
        std::int64_t x1 = x_, y1 = y_, x2 = x, y2 = y;
        x_ = x;
        y_ = y;
        if (!clip(x1, y1, x2, y2)) return;
        if (!placed_ || x1 != atX_ || y1 != atY_) place(x1, y1);
        s_.lineTo(static_cast<std::int32_t>(x2), static_cast<std::int32_t>(y2));
        atX_ = x2;
        atY_ = y2;
    }

    void drawText(std::int32_t x, std::int32_t y, TextAlign align, const Font& font, std::string_view text) override
    {
        s_.drawText(x, y, align, font, text);
    }

private:
    static constexpr unsigned kLeft = 1, kRight = 2, kAbove = 4, kBelow = 8;

    unsigned sides(std::int64_t x, std::int64_t y) const
    {
        return (x < panel_.left ? kLeft : 0u) | (x > panel_.right ? kRight : 0u) | (y < panel_.top ? kAbove : 0u)
               | (y > panel_.bottom ? kBelow : 0u);
    }

    // Moves the ends of the line onto the panel's edges; false when none of it is inside.
    // An end put on an edge stays on that side of it, so four moves settle every line.
    bool clip(std::int64_t& x1, std::int64_t& y1, std::int64_t& x2, std::int64_t& y2) const
    {
        // By the fraction of the way, which keeps the product within a double's precision.
        const auto between = [](std::int64_t a, std::int64_t b, double t) {
            return static_cast<std::int64_t>(std::nearbyint(static_cast<double>(a) + static_cast<double>(b - a) * t));
        };
        for (int moves = 0;; ++moves) {
            const unsigned s1 = sides(x1, y1), s2 = sides(x2, y2);
            if ((s1 | s2) == 0) return true;
            if ((s1 & s2) != 0 || moves == 4) return false;
            const bool first = s1 != 0;
            const unsigned s = first ? s1 : s2;
            std::int64_t& x = first ? x1 : x2;
            std::int64_t& y = first ? y1 : y2;
            if (s & (kAbove | kBelow)) {
                const std::int64_t edge = (s & kAbove) ? panel_.top : panel_.bottom;
                x = between(x1, x2, static_cast<double>(edge - y1) / static_cast<double>(y2 - y1));
                y = edge;
            } else {
                const std::int64_t edge = (s & kLeft) ? panel_.left : panel_.right;
                y = between(y1, y2, static_cast<double>(edge - x1) / static_cast<double>(x2 - x1));
                x = edge;
            }
        }
    }

    void place(std::int64_t x, std::int64_t y)
    {
        s_.moveTo(static_cast<std::int32_t>(x), static_cast<std::int32_t>(y));
        placed_ = true;
        atX_ = x;
        atY_ = y;
    }

    Surface& s_;
    Panel panel_;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    // Where the surface's own pen stands.
    bool placed_ = false;
    std::int64_t atX_ = 0;
    std::int64_t atY_ = 0;
};

// A small open triangle on a panel's edge with its tip pointing outwards, towards a point
// beyond that edge.
struct EdgeMark {
    std::int32_t x;
    std::int32_t y;
    std::int32_t outX;
    std::int32_t outY;

    // One kind per direction and colour, apart from the crosses' 0 and 1.
    int kind(bool grey) const { return 2 + ((outX + 1) * 3 + outY + 1) * 2 + (grey ? 1 : 0); }
};

// Above or below, the mark stands at the point's column; left or right, at its row. It
// is kept whole on the panel.
EdgeMark edgeMark(const Panel& p, std::int32_t x, std::int32_t y)
{
    const auto along = [](std::int64_t v, std::int64_t low, std::int64_t high) {
        return static_cast<std::int32_t>(
            std::clamp(v, low + kMarkerArm, std::max(low, high - 2 * kMarkerArm) + kMarkerArm));
    };
    if (y < p.top) return {along(x, p.left, p.right), p.top, 0, -1};
    if (y > p.bottom) return {along(x, p.left, p.right), p.bottom, 0, 1};
    return x < p.left ? EdgeMark{p.left, along(y, p.top, p.bottom), -1, 0}
                      : EdgeMark{p.right, along(y, p.top, p.bottom), 1, 0};
}

void drawEdgeMark(Surface& s, const EdgeMark& mark, bool grey)
{
    const std::int32_t a = kMarkerArm;
    const std::int32_t baseX = mark.x - a * mark.outX;
    const std::int32_t baseY = mark.y - a * mark.outY;
    if (grey) s.setPenColour(PenColour::Grey);
    s.moveTo(baseX + a * mark.outY, baseY - a * mark.outX);
    s.lineTo(mark.x, mark.y);
    s.lineTo(baseX - a * mark.outY, baseY + a * mark.outX);
    s.lineTo(baseX + a * mark.outY, baseY - a * mark.outX);
    if (grey) s.setPenColour(PenColour::Black);
}

double residualAt(const Points& data, std::int32_t i) { return pointOr0(data.residual, i).value(); }

// Observed minus residual, in the precision the two values carry.
double calculatedEmf(const Points& data, std::int32_t i)
{
    return (data.emf[static_cast<std::size_t>(i)] - pointOr0(data.residual, i)).value();
}

// The pixels of a raster surface, for leaving out what would only draw over itself
// when there are more points than columns; nothing is inside otherwise, and on any other
// surface, which gets every element.
class RasterArea {
public:
    RasterArea(const Surface& s, std::int32_t points)
    {
        if (!s.isRaster() || points <= s.innerWidth()) return;
        width_ = nearest(s.innerWidth()).value_or(0);
        height_ = nearest(s.innerHeight()).value_or(0);
        if (width_ <= 0 || height_ <= 0) width_ = height_ = 0;
    }

    std::int32_t width() const { return width_; }
    bool containsColumn(std::int32_t px) const { return px >= 0 && px < width_; }
    bool contains(std::int32_t px, std::int32_t py) const { return containsColumn(px) && py >= 0 && py < height_; }
    std::size_t index(std::int32_t px, std::int32_t py) const
    {
        return static_cast<std::size_t>(py) * static_cast<std::size_t>(width_) + static_cast<std::size_t>(px);
    }
    std::size_t pixels() const { return static_cast<std::size_t>(width_) * static_cast<std::size_t>(height_); }

private:
    std::int32_t width_ = 0;
    std::int32_t height_ = 0;
};

// Markers already drawn where no marker of the other kind has come since: drawing one
// there again sets its own pixels to the colour they have.
class DrawnMarkers {
public:
    explicit DrawnMarkers(const RasterArea& area) : area_(area), stamps_(area.pixels(), 0) {}

    bool drawnAlready(std::int32_t px, std::int32_t py, int kind)
    {
        if (kind != kind_) {
            kind_ = kind;
            ++run_;
        }
        if (!area_.contains(px, py)) return false;
        std::uint32_t& stamp = stamps_[area_.index(px, py)];
        if (stamp == run_) return true;
        stamp = run_;
        return false;
    }

private:
    const RasterArea& area_;
    std::vector<std::uint32_t> stamps_;
    std::uint32_t run_ = 1;
    int kind_ = 0;
};

void drawMeasuredAndCalculated(Surface& surface, const Panel& panel, const PlotMapping& m, const Points& data,
                               std::int32_t n, const PointExclusions& excluded)
{
    ClippedSurface s(surface, panel);
    const RasterArea area(surface, n);
    DrawnMarkers markers(area);
    for (std::int32_t i = 1; i <= n; ++i) {
        const auto px = reach(m.xOffset, m.xScale, at(data.pH, i));
        const auto py = reach(m.yOffset, m.yScale, at(data.emf, i));
        if (!px || !py) continue;
        const bool hollow = excluded.contains(i);
        if (!panel.contains(*px, *py)) {
            const EdgeMark mark = edgeMark(panel, *px, *py);
            if (!markers.drawnAlready(mark.x, mark.y, mark.kind(hollow))) drawEdgeMark(s, mark, hollow);
            continue;
        }
        if (markers.drawnAlready(*px, *py, hollow ? 1 : 0)) continue;
        if (hollow)
            drawHollowCross(s, kSizeFactor, *px, *py);
        else
            drawCross(s, kSizeFactor, *px, *py);
    }
    // A point that cannot be placed breaks the line instead of being bridged.
    bool drawing = false;
    std::int32_t lastX = 0;
    std::int32_t lastY = 0;
    for (std::int32_t i = 1; i <= n; ++i) {
        const auto px = xToPixel(m, at(data.pH, i));
        const auto py = yToPixel(m, calculatedEmf(data, i));
        if (!px || !py) {
            drawing = false;
            continue;
        }
        // A line to the same pixel draws nothing.
        if (drawing && area.width() > 0 && *px == lastX && *py == lastY) continue;
        if (drawing)
            s.lineTo(*px, *py);
        else
            s.moveTo(*px, *py);
        drawing = true;
        lastX = *px;
        lastY = *py;
    }
}

// Half the height of the residual axis: the largest finite residual in magnitude.
double residualRange(const Points& data, std::int32_t n, const PointExclusions& excluded)
{
    double r = 1E-20;
    for (std::int32_t i = 1; i <= n; ++i) {
        if (excluded.contains(i)) continue;
        const double v = std::abs(residualAt(data, i));
        if (std::isfinite(v) && v > r) r = v;
    }
    return r;
}

// A stick that leaves the panel ends at its edge, where a mark points the rest of the way.
void drawStick(Surface& s, const Panel& panel, std::int32_t px, std::int32_t zero, std::int32_t py)
{
    s.moveTo(px, zero);
    s.lineTo(px, py);
    if (!panel.contains(px, py)) drawEdgeMark(s, edgeMark(panel, px, py), false);
}

// On a raster the sticks of one pixel column all start at zero, so the longest up and
// the longest down cover the others.
void drawResiduals(Surface& surface, const Panel& panel, const PlotMapping& m, const Points& data, std::int32_t n,
                   const PointExclusions& excluded)
{
    const auto zero = yToPixel(m, 0);
    if (!zero) return;
    ClippedSurface s(surface, panel);
    const RasterArea area(surface, n);
    std::vector<std::int32_t> top(static_cast<std::size_t>(area.width()), *zero);
    std::vector<std::int32_t> bottom(top);
    for (std::int32_t i = 1; i <= n; ++i) {
        if (excluded.contains(i)) continue;
        const auto px = reach(m.xOffset, m.xScale, at(data.pH, i));
        const auto py = reach(m.yOffset, m.yScale, residualAt(data, i));
        if (!px || !py) continue;
        if (!area.containsColumn(*px)) {
            drawStick(s, panel, *px, *zero, *py);
            continue;
        }
        const auto column = static_cast<std::size_t>(*px);
        top[column] = std::min(top[column], *py);
        bottom[column] = std::max(bottom[column], *py);
    }
    for (std::int32_t px = 0; px < area.width(); ++px) {
        const auto column = static_cast<std::size_t>(px);
        if (top[column] != *zero) drawStick(s, panel, px, *zero, top[column]);
        if (bottom[column] != *zero) drawStick(s, panel, px, *zero, bottom[column]);
    }
}

}  // namespace

double exportLayoutScale(int width, int height)
{
    return std::max(1.0, std::min(static_cast<double>(width) / kExportLayoutWidth,
                                  static_cast<double>(height) / kExportLayoutHeight));
}

void drawCalibrationPlots(Surface& surface, PlotMapping& m, PlotExtents& extents, const CalibrationData& all,
                          const PointArray& residuals, std::string_view title, bool calibrationPresent,
                          const RegionalSettings& regional, const PointExclusions& excluded)
{
    if (!calibrationPresent) return;
    const Points data{all.count, all.pH, all.emf, residuals};
    const std::int32_t n = plottablePoints(data);
    surface.clear();
    if (n == 0) return;

    extents.xMin = at(data.pH, n);
    extents.xMax = at(data.pH, 1);
    extents.yMin = at(data.emf, 1);
    extents.yMax = at(data.emf, n);

    const std::optional<std::int32_t> w = nearest(surface.innerWidth());
    const std::optional<std::int32_t> h = nearest(surface.innerHeight());
    const std::optional<std::int32_t> right = nearest(surface.innerWidth() - 16);
    const std::optional<std::int32_t> upperBottom = h ? nearest(7.0 / 10.0 * *h - 8) : std::nullopt;
    if (!w || !right || !upperBottom) return;
    // The upper plot ends below its frame where a cross on the frame's edge ends; the
    // residual plot has the rest of the surface.
    const std::int32_t lastColumn = std::max(*w, 0) - 1;
    const std::int32_t lastRow = std::max(*h, 0) - 1;
    const std::int32_t split = std::clamp(*upperBottom + kMarkerArm, -1, lastRow);
    const Panel upper{0, 0, lastColumn, split};
    const Panel lower{0, split + 1, lastColumn, lastRow};

    m.top = 24;
    m.left = 56;
    m.right = *right;
    m.bottom = *upperBottom;
    // No x title: the residual plot below labels the shared pH axis.
    drawFrame(surface, m, kSizeFactor, kYIntervals, extents.xMin, extents.yMin, extents.xMax, extents.yMax, "",
              "emf /mV", title, regional);
    drawMeasuredAndCalculated(surface, upper, m, data, n, excluded);

    m.top = m.bottom + 16;
    m.bottom = *h - 40;
    const double r = residualRange(data, n, excluded);
    double rMax = r;
    drawFrame(surface, m, kSizeFactor, kYIntervals, extents.xMin, -r, extents.xMax, rMax, "pH", " /mV", "obs-calc",
              regional);
    drawResiduals(surface, lower, m, data, n, excluded);
}

}  // namespace quorlin
