#pragma once

class QWidget;

namespace quorlin {

// The window's layout is measured in twips (1440 per inch); a screen pixel is worth a
// different number of twips across and down on some screens.
struct TwipsPerPixel {
    double x = 15.0;
    double y = 15.0;
};

// From the logical dots per inch of the screen the widget is on.
TwipsPerPixel twipsPerPixelOf(const QWidget& widget);

// Nearest pixel, halves to the even neighbour.
int twipsToPixels(double twips, double twipsPerPixel);

// Places a widget at left, top, width and height given in twips of its container.
void placeInTwips(QWidget& widget, double left, double top, double width, double height);

}  // namespace quorlin
