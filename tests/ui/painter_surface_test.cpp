#include "ui/painter_surface.h"

#include "core/fit.h"
#include "plot/calibration_plot.h"
#include "support/titration.h"

#include <gtest/gtest.h>

#include <random>

namespace quorlin {
namespace {

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
    sumOfSquaredResiduals(data, fitParameters(data, testing::shownStart(computeInitialValues(data))).parameters);
    PointExclusions excluded;
    for (std::int32_t i = 1; i <= data.count; ++i)
        if (i % 3001 < 400 || i % 97 == 0) excluded.toggle(i);
    PaintSurface collapsed(QSize(320, 240)), full(collapsed.size());
    EveryElement everything(full);
    PlotMapping mapping;
    PlotExtents extents;
    for (Surface* s : std::initializer_list<Surface*>{&collapsed, &everything})
        drawCalibrationPlots(*s, mapping, extents, data, data.residual, "dense.txt", true, RegionalSettings{},
                             excluded);
    EXPECT_TRUE(collapsed.image() == full.image());
}

}  // namespace
}  // namespace quorlin
