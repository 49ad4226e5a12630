#include "ui/grids/twips.h"

#include <QWidget>

#include <cmath>

namespace quorlin {

TwipsPerPixel twipsPerPixelOf(const QWidget& widget)
{
    const double dpiX = widget.logicalDpiX();
    const double dpiY = widget.logicalDpiY();
    return {dpiX > 0 ? 1440.0 / dpiX : 15.0, dpiY > 0 ? 1440.0 / dpiY : 15.0};
}

int twipsToPixels(double twips, double twipsPerPixel)
{
    return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

void placeInTwips(QWidget& widget, double left, double top, double width, double height)
{
    const TwipsPerPixel tpp = twipsPerPixelOf(widget);
    widget.setGeometry(twipsToPixels(left, tpp.x), twipsToPixels(top, tpp.y), twipsToPixels(width, tpp.x),
                       twipsToPixels(height, tpp.y));
}

}  // namespace quorlin
