#include "plot/calibration_plot.h"
#include "sample_calibration.h"
#include "ui/graph_widget.h"
#include "ui/painter_surface.h"

#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QRect>

#include <gtest/gtest.h>

#include <cmath>
#include <string>

namespace quorlin {
namespace {

bool ink(const QImage& image, int x, int y)
{
    return qGray(image.pixel(x, y)) < 128;
}

// Smallest rectangle holding every inked pixel; null for a blank image.
QRect inkBounds(const QImage& image)
{
    QRect bounds;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            if (ink(image, x, y)) bounds |= QRect(x, y, 1, 1);
    return bounds;
}

void polyline(PaintSurface& s, std::initializer_list<QPoint> points)
{
    s.moveTo(points.begin()->x(), points.begin()->y());
    for (auto p = points.begin() + 1; p != points.end(); ++p) s.lineTo(p->x(), p->y());
}

// Where one text drawn alone on a fresh surface leaves ink.
QRect textInk(QSize size, int x, int y, TextAlign align, const Font& font, std::string_view text)
{
    PaintSurface s(size);
    s.drawText(x, y, align, font, text);
    return inkBounds(s.image());
}

TEST(PaintSurface, LinesLeaveOutTheirEndPixelWhicheverWayTheyRun)
{
    PaintSurface s(QSize(20, 20)), back(QSize(20, 20));
    polyline(s, {{2, 5}, {12, 5}, {12, 15}});
    polyline(back, {{12, 15}, {12, 5}, {2, 5}});
    for (int x = 2; x <= 12; ++x) EXPECT_TRUE(ink(s.image(), x, 5)) << x;
    for (int y = 6; y < 15; ++y) EXPECT_TRUE(ink(s.image(), 12, y)) << y;
    EXPECT_EQ(inkBounds(s.image()), QRect(QPoint(2, 5), QPoint(12, 14)));
    EXPECT_EQ(inkBounds(back.image()), QRect(QPoint(3, 5), QPoint(12, 15)));
    EXPECT_FALSE(ink(back.image(), 2, 5));
}

// A slanted line takes one pixel per column and also leaves out its end pixel.
TEST(PaintSurface, SlantedLinesTakeOnePixelPerStepAlongTheLongerAxis)
{
    PaintSurface s(QSize(20, 20));
    polyline(s, {{10, 6}, {2, 2}});
    for (int x = 0; x < 20; ++x) {
        int inColumn = 0;
        for (int y = 0; y < 20; ++y) inColumn += ink(s.image(), x, y);
        EXPECT_EQ(inColumn, x >= 3 && x <= 10 ? 1 : 0) << x;
    }
    EXPECT_TRUE(ink(s.image(), 6, 4));
}

TEST(PaintSurface, ArialIsAskedForAndTheCharacterHeightIsTheEmSize)
{
    QFont font("Arial");
    font.setPixelSize(12);
    const QFontInfo info(font);
    const QString family = info.family();
    EXPECT_TRUE(family == "Arial" || family == "Liberation Sans") << family.toStdString();
    EXPECT_EQ(info.pixelSize(), 12);
    // The cell is taller than the character height by the internal leading.
    EXPECT_GT(QFontMetrics(font).height(), 12);

    // A capital H stands about 0.72 em tall.
    EXPECT_NEAR(textInk(QSize(100, 100), 50, 10, TextAlign::Left, Font{"Arial", 50, 0}, "H").height(), 36, 2);
}

TEST(PaintSurface, TextHangsBelowItsAnchorAlignedAsAsked)
{
    const Font font{"Arial", 12, 0};
    QFont qfont("Arial");
    qfont.setPixelSize(12);
    const int cell = QFontMetrics(qfont).height();

    // Ascenders start just below the top of the cell, descenders end inside it.
    const QRect c = textInk(QSize(200, 60), 100, 20, TextAlign::Centre, font, "obs-calc");
    EXPECT_GE(c.top(), 20);
    EXPECT_LE(c.top(), 20 + 3);
    EXPECT_LT(c.bottom(), 20 + cell);
    EXPECT_NEAR((c.left() + c.right()) / 2.0, 100, 2);

    const QRect r = textInk(QSize(200, 60), 100, 20, TextAlign::Right, font, "380");
    EXPECT_LE(r.right(), 100);
    EXPECT_GE(r.right(), 97);
    EXPECT_GE(r.top(), 20);
}

TEST(PaintSurface, TurnedTextReadsUpwardsRightOfItsColumnCentredOnItsRow)
{
    const QRect t = textInk(QSize(60, 200), 0, 100, TextAlign::Centre, Font{"Arial", 12, 90}, "emf /mV");
    EXPECT_GE(t.left(), 0);
    EXPECT_LE(t.right(), 16);
    EXPECT_GT(t.height(), 30);
    EXPECT_NEAR((t.top() + t.bottom()) / 2.0, 100, 2);
}

TEST(PaintSurface, ResizeKeepsTheDrawingWhereItStillFits)
{
    PaintSurface s(QSize(40, 40));
    polyline(s, {{5, 5}, {30, 5}});
    s.resize(QSize(20, 60));
    EXPECT_EQ(s.innerWidth(), 20);
    EXPECT_EQ(s.innerHeight(), 60);
    EXPECT_EQ(inkBounds(s.image()), QRect(QPoint(5, 5), QPoint(19, 5)));
    s.clear();
    EXPECT_TRUE(inkBounds(s.image()).isNull());
}

TEST(PaintSurface, FarOffLinesAreClippedAndEmptySurfacesIgnoreDrawing)
{
    PaintSurface s(QSize(50, 50));
    polyline(s, {{-2000000000, 25}, {2000000000, 25}});
    polyline(s, {{25, 2147483647}, {25, -2147483647}});
    polyline(s, {{-2000000000, -1000000000}, {2000000000, 1000000000}});
    const QImage& image = s.image();
    for (const QPoint inked : {QPoint(0, 25), QPoint(49, 25), QPoint(25, 0), QPoint(10, 5), QPoint(40, 20)})
        EXPECT_TRUE(ink(image, inked.x(), inked.y())) << inked.x() << "," << inked.y();
    EXPECT_FALSE(ink(image, 40, 21));

    PaintSurface empty;
    empty.clear();
    polyline(empty, {{0, 0}, {10, 10}});
    empty.drawText(0, 0, TextAlign::Left, Font{"Arial", 12, 0}, "x");
    EXPECT_TRUE(empty.image().isNull());
}

TEST(PaintSurface, SampleCalibrationIsDrawnWhereTheMappingSays)
{
    const Workspace ws = test::sampleCalibration();
    ASSERT_GT(ws.RmsError, 0) << "the sample calibration did not converge";
    EXPECT_NEAR(ws.Params[2], test::kSampleSlope, 1);
    PaintSurface s(QSize(600, 450));
    PlotMapping m;
    PlotExtents extents;
    PlotData(s, m, extents, ws, "sample.txt", true, RegionalSettings{});
    const QImage& image = s.image();
    ASSERT_TRUE(image.save(QStringLiteral(QUORLIN_BUILD_DIR "/sample_calibration_plot.png")));

    // The residual plot's frame, where the mapping left behind says.
    EXPECT_EQ(m.top, 323);
    EXPECT_EQ(m.bottom, 410);
    for (int x = m.left - 4; x <= m.right + 4; ++x) {
        ASSERT_TRUE(ink(image, x, m.top)) << x;
        ASSERT_TRUE(ink(image, x, m.bottom)) << x;
    }
}

TEST(Graph, ShowsItsKeptImageAtTheWidgetsSize)
{
    Graph graph;
    graph.resize(300, 200);
    PaintSurface& s = graph.surface();
    EXPECT_EQ(s.innerWidth(), 300);
    EXPECT_EQ(s.innerHeight(), 200);
    EXPECT_GT(s.dotsPerInch(), 0);
    s.moveTo(10, 100);
    s.lineTo(290, 100);
    graph.update();
    EXPECT_TRUE(ink(graph.grab().toImage(), 150, 100));

    // A bigger widget keeps the drawing until the window redraws.
    graph.resize(400, 300);
    EXPECT_EQ(graph.surface().innerWidth(), 400);
    const QImage shown = graph.grab().toImage();
    EXPECT_TRUE(ink(shown, 150, 100));
    EXPECT_FALSE(ink(shown, 350, 100));
}

}  // namespace
}  // namespace quorlin
