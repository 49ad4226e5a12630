#pragma once

#include "ui/painter_surface.h"

#include <QWidget>

namespace quorlin {

// Whether the window background is too dark for black lines and the captions' dark blues.
bool hasDarkWindow(const QPalette& palette);

// The calibration panel's drawing surface. It holds the plot as an off-screen image and
// paints that image, so the plot survives being covered and exposed without a redraw.
//
// Use:
//     drawCalibrationPlots(graph->surface(), mapping, extents, session, title);
//     graph->update();   // shows what was drawn
//
// surface() is always sized to the widget (in device-independent pixels) and knows the
// screen's dots per inch. A resize keeps the old drawing where it still fits and does
// not redraw: the window redraws on its own resize, as it does after a load or a
// calibration.
class Graph final : public QWidget {
    Q_OBJECT

public:
    explicit Graph(QWidget* parent = nullptr);

    PaintSurface& surface();
    // A faded plot no longer matches the data.
    void setFaded(bool faded);
    bool isFaded() const { return faded_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    // Follows the widget's size and screen, which may change while it is hidden.
    void syncSurface();

    PaintSurface surface_;
    bool faded_ = false;
};

}  // namespace quorlin
