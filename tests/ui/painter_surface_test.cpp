#include "ui/painter_surface.h"

#include "core/fit.h"
#include "plot/calibration_plot.h"
#include "support/titration.h"

#include <gtest/gtest.h>

#include <random>

namespace quorlin {
namespace {

// The surface leaves out lines whose pixels are black already. The reference draws the
// same lines with an empty text before each, which makes the surface forget every line
// and draw it in full.
TEST(PaintSurface, LinesLeftOutChangeNoPixel)
{
    PaintSurface drawn(QSize(120, 90));
    PaintSurface reference(QSize(120, 90));
    const Font font{"Arial", 12, 0};
    std::mt19937 random(3);
    const auto pick = [&random](int low, int high) { return std::uniform_int_distribution(low, high)(random); };
    for (int i = 0; i < 4000; ++i) {
        // Runs of sticks up and down from one start, column by column as a plot's points
        // come; between them repeated markers, now and then any line, a wide one or a
        // text over what is there; past the edges as well.
        const int column = i / 6 % 130 - 5;
        const int y = pick(-5, 94);
        const int kind = i / 60 % 2 == 0 ? 19 : pick(0, 19);
        QLine line(column, 45, column, y);
        if (kind < 8) line = QLine(column / 8 * 8, y / 30 * 30, column / 8 * 8 + 4, y / 30 * 30);
        if (kind == 8) line = QLine(pick(-5, 124), y, pick(-5, 124), pick(-5, 94));
        const int width = kind == 9 ? 3 : 1;
        const bool clear = kind == 11 && pick(0, 50) == 0;
        for (PaintSurface* s : {&drawn, &reference}) {
            if (s == &reference) s->drawText(0, 0, TextAlign::Left, font, "");
            if (kind == 10) s->drawText(column, y, TextAlign::Left, font, "7.0");
            if (clear) s->clear();
            s->setPenWidth(width);
            s->moveTo(line.x1(), line.y1());
            s->lineTo(line.x2(), line.y2());
        }
    }
    EXPECT_TRUE(drawn.image() == reference.image());
}

// Hands every element on to an image but passes for a vector surface, so the plot
// draws all of them.
class EveryElement final : public Surface {
public:
    explicit EveryElement(PaintSurface& image) : image_(image) {}
    void clear() override { image_.clear(); }
    double innerWidth() const override { return image_.innerWidth(); }
    double innerHeight() const override { return image_.innerHeight(); }
    double dotsPerInch() const override { return image_.dotsPerInch(); }
    void setPenWidth(std::int32_t pixels) override { image_.setPenWidth(pixels); }
    void setPenColour(PenColour colour) override { image_.setPenColour(colour); }
    void moveTo(std::int32_t x, std::int32_t y) override { image_.moveTo(x, y); }
    void lineTo(std::int32_t x, std::int32_t y) override { image_.lineTo(x, y); }
    void drawText(std::int32_t x, std::int32_t y, TextAlign align, const Font& font, std::string_view text) override
    {
        image_.drawText(x, y, align, font, text);
    }

private:
    PaintSurface& image_;
};

// Many points to a pixel, noisy, with runs left out and single points left out among
// them: the raster plot leaves out what only draws over itself and must look the same.
TEST(PaintSurface, DensePlotLooksAsDrawnInFull)
{
    const testing::ElectrodeModel model;
    std::mt19937 random(5);
    std::normal_distribution<double> noise(0.0, 0.4);
    testing::Points points;
    for (int i = 0; i < 20000; ++i) {
        const double volume = 0.5 + 19.5 * i / 19999.0;
        points.emplace_back(volume, model.emf(volume) + noise(random) * (i % 500 == 0 ? 8 : 1));
    }
    CalibrationData data = testing::titration(model.acid, model.initialVolume, points);
    fitParameters(data, testing::shownStart(computeInitialValues(data)));
    PointExclusions excluded;
    for (std::int32_t i = 1; i <= data.count; ++i)
        if (i % 3001 < 400 || i % 97 == 0) excluded.toggle(i);

    for (const QSize size : {QSize(320, 240), QSize(1000, 800)}) {
        PaintSurface collapsed(size);
        PaintSurface full(size);
        EveryElement everything(full);
        PlotMapping mapping;
        PlotExtents extents;
        drawCalibrationPlots(collapsed, mapping, extents, data, "dense.txt", true, RegionalSettings{}, excluded);
        drawCalibrationPlots(everything, mapping, extents, data, "dense.txt", true, RegionalSettings{}, excluded);
        EXPECT_TRUE(collapsed.image() == full.image()) << size.width();
    }
}

}  // namespace
}  // namespace quorlin
