#include "graph_widget.h"

#include <QPaintEvent>
#include <QPainter>

namespace quorlin {

Graph::Graph(QWidget* parent) : QWidget(parent)
{
    // The image covers every pixel, so Qt need not erase first.
    setAttribute(Qt::WA_OpaquePaintEvent);
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
    painter.drawImage(event->rect(), surface_.image(), event->rect());
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
