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
struct EveryElement final : Surface {
    PaintSurface& image;
    explicit EveryElement(PaintSurface& target) : image(target) {}
    void clear() override { image.clear(); }
    double innerWidth() const override { return image.innerWidth(); }
    double innerHeight() const override { return image.innerHeight(); }
    double dotsPerInch() const override { return image.dotsPerInch(); }
    void setPenWidth(std::int32_t pixels) override { image.setPenWidth(pixels); }
    void setPenColour(PenColour colour) override { image.setPenColour(colour); }
    void moveTo(std::int32_t x, std::int32_t y) override { image.moveTo(x, y); }
    void lineTo(std::int32_t x, std::int32_t y) override { image.lineTo(x, y); }
    void drawText(std::int32_t x, std::int32_t y, TextAlign a, const Font& f, std::string_view t) override
    {
        image.drawText(x, y, a, f, t);
    }
};

// Many points to a pixel, noisy, with runs left out and single points left out among
// them: the raster plot leaves out what only draws over itself and must look the same.
TEST(PaintSurface, DensePlotLooksAsDrawnInFull)
{
    const testing::ElectrodeModel model;
    std::mt19937 random(5);
    testing::Points points;
    for (double i = 0; i < 20000; ++i)
        points.emplace_back(0.5 + i / 1000, model.emf(0.5 + i / 1000) + std::normal_distribution(0.0, 0.4)(random));
    CalibrationData data = testing::titration(model.acid, model.initialVolume, points);
    fitParameters(data, testing::shownStart(computeInitialValues(data)));
    PointExclusions excluded;
    for (std::int32_t i = 1; i <= data.count; ++i)
        if (i % 3001 < 400 || i % 97 == 0) excluded.toggle(i);
    PaintSurface collapsed(QSize(320, 240)), full(collapsed.size());
    EveryElement everything(full);
    PlotMapping mapping;
    PlotExtents extents;
    for (Surface* s : std::initializer_list<Surface*>{&collapsed, &everything})
        drawCalibrationPlots(*s, mapping, extents, data, "dense.txt", true, RegionalSettings{}, excluded);
    EXPECT_TRUE(collapsed.image() == full.image());
}

}  // namespace
}  // namespace quorlin
