#include "graph_widget.h"

#include <QPaintEvent>
#include <QPainter>
#include <QPalette>

namespace quorlin {

bool hasDarkWindow(const QPalette& palette) { return palette.color(QPalette::Window).lightness() < 128; }

namespace {

// The plot lies on the panel's own background, not on a white sheet, unless that is too
// dark for its black lines.
QColor plotBackground(const QPalette& palette)
{
    return hasDarkWindow(palette) ? QColor(Qt::white) : palette.color(QPalette::Window);
}

}  // namespace

Graph::Graph(QWidget* parent) : QWidget(parent), surface_(QSize(), 96, plotBackground(palette()))
{
    // The image covers every pixel, so Qt need not erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    // A click on the plot ends a cell edit, as a click on any other control does.
    setFocusPolicy(Qt::ClickFocus);
    syncSurface();
}

PaintSurface& Graph::surface()
{
    syncSurface();
    return surface_;
}

void Graph::paintEvent(QPaintEvent* event)
{
    syncSurface();
    QPainter painter(this);
    if (faded_) {
        painter.fillRect(event->rect(), palette().color(QPalette::Window));
        painter.setOpacity(0.35);
    }
    painter.drawImage(event->rect(), surface_.image(), event->rect());
}

void Graph::setFaded(bool faded)
{
    if (faded == faded_) return;
    faded_ = faded;
    update();
}

void Graph::resizeEvent(QResizeEvent* event)
{
    syncSurface();
    QWidget::resizeEvent(event);
}

void Graph::syncSurface()
{
    surface_.setDotsPerInch(logicalDpiX());
    surface_.resize(size());
}

}  // namespace quorlin
