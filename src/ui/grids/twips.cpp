#include "ui/grids/twips.h"

#include <QWidget>

#include <cmath>

namespace quorlin {

TwipsPerPixel TwipsPerPixelOf(const QWidget& widget)
{
    const double dpiX = widget.logicalDpiX();
    const double dpiY = widget.logicalDpiY();
    return {dpiX > 0 ? 1440.0 / dpiX : 15.0, dpiY > 0 ? 1440.0 / dpiY : 15.0};
}

int TwipsToPixels(double twips, double twipsPerPixel)
{
    return static_cast<int>(std::nearbyint(twips / twipsPerPixel));
}

void PlaceInTwips(QWidget& widget, double left, double top, double width, double height)
{
    const TwipsPerPixel tpp = TwipsPerPixelOf(widget);
    widget.setGeometry(TwipsToPixels(left, tpp.x), TwipsToPixels(top, tpp.y), TwipsToPixels(width, tpp.x),
                       TwipsToPixels(height, tpp.y));
}

}  // namespace quorlin
