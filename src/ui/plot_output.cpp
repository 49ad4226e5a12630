#include "plot_output.h"

#include "ui/painter_surface.h"

#include <QBuffer>
#include <QFontMetrics>
#include <QImage>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include <algorithm>

namespace quorlin {

namespace {

constexpr double kLayoutDpi = 96;

double layoutScale(QSize size) { return exportLayoutScale(size.width(), size.height()); }

}  // namespace

QByteArray plotPng(const PlotDrawing& draw, QSize size, QColor background)
{
    QImage image(size, QImage::Format_RGB32);
    if (image.isNull()) return {};
    image.fill(background);
    {
        QPainter painter(&image);
        const double scale = layoutScale(size);
        painter.scale(scale, scale);
        PainterSurface surface(painter, QSizeF(size) / scale, kLayoutDpi, background);
        draw(surface);
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, "PNG")) return {};
    return bytes;
}

QByteArray plotPdf(const PlotDrawing& draw, QSize size, const QString& title)
{
    const QSizeF layout = QSizeF(size) / layoutScale(size);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    {
        // One layout pixel is one pixel of a 96 dpi screen, so the page has the
        // window's proportions of text to plot.
        QPdfWriter pdf(&buffer);
        pdf.setTitle(title);
        pdf.setCreator(QStringLiteral("Quorlin"));
        pdf.setResolution(int(kLayoutDpi));
        pdf.setPageSize(QPageSize(layout * 72 / kLayoutDpi, QPageSize::Point, {}, QPageSize::ExactMatch));
        pdf.setPageMargins({});
        QPainter painter(&pdf);
        PainterSurface surface(painter, layout, kLayoutDpi, Qt::white);
        draw(surface);
    }
    return bytes;
}

void paintPlotPage(QPainter& painter, QRect area, const PlotDrawing& draw, const QStringList& lines)
{
    QFont font(QStringLiteral("Arial"));
    font.setPointSizeF(11);
    painter.setFont(font);
    const QFontMetrics metrics(font, painter.device());
    int top = area.top();
    for (const QString& line : lines) {
        painter.drawText(area.left(), top + metrics.ascent(), line);
        top += metrics.lineSpacing();
    }
    top += metrics.lineSpacing();

    const double scale = std::min(double(area.width()) / kPlotLayoutSize.width(),
                                  double(area.bottom() - top) / kPlotLayoutSize.height());
    if (scale <= 0) return;
    painter.save();
    painter.translate(area.left(), top);
    painter.scale(scale, scale);
    PainterSurface surface(painter, QSizeF(kPlotLayoutSize), kLayoutDpi, Qt::white);
    draw(surface);
    painter.restore();
}

}  // namespace quorlin
