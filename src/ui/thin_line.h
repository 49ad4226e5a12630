#pragma once

#include <QImage>
#include <QPoint>
#include <QRgb>

namespace quorlin {

// A one-pixel line written straight into a 32-bit image: every pixel from `from` up to,
// but not including, `to`; one pixel per step along the longer axis, the other axis
// rounded to the nearest pixel. Only the part inside the image is visited, so ends far
// outside cost nothing. A line of no length draws nothing.
void drawThinLine(QImage& image, QPoint from, QPoint to, QRgb colour);

}  // namespace quorlin
