#include "ui/painter_surface.h"

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

}  // namespace
}  // namespace quorlin
