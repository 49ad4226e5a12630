#include "painter_surface.h"

#include "ui/thin_line.h"

#include <QFont>
#include <QFontMetrics>
#include <QLineF>
#include <QPainter>
#include <QPen>
#include <QString>

#include <cstdlib>

namespace quorlin {

namespace {

QColor penColour(PenColour colour) { return colour == PenColour::Grey ? QColor(0x99, 0x99, 0x99) : QColor(Qt::black); }

QPen linePen(std::int32_t width, PenColour colour)
{
    return QPen(penColour(colour), width, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin);
}

void paintText(QPainter& p, std::int32_t x, std::int32_t y, TextAlign align, const Font& font, std::string_view text)
{
    if (text.empty() || font.pixelHeight <= 0) return;

    QFont qfont(QString::fromStdString(font.face));
    qfont.setPixelSize(font.pixelHeight);
    const QFontMetrics metrics(qfont, p.device());
    const QString qtext = QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
    const double width = metrics.horizontalAdvance(qtext);

    double start = 0;  // along the text's own direction, from the anchor
    switch (align) {
    case TextAlign::Left: break;
    case TextAlign::Centre: start = -width / 2; break;
    case TextAlign::Right: start = -width; break;
    }

    p.save();
    p.setFont(qfont);
    p.translate(x, y);
    p.rotate(-font.escapement);  // escapement turns counter-clockwise on screen
    p.drawText(QPointF(start, metrics.ascent()), qtext);
    p.restore();
}

}  // namespace

PaintSurface::PaintSurface(QSize size, double dotsPerInch, QColor background)
    : background_(background), dpi_(dotsPerInch)
{
    resize(size);
}

PaintSurface::~PaintSurface() { finish(); }

void PaintSurface::resize(QSize size)
{
    if (size == image_.size() && !image_.isNull()) return;
    finish();
    QImage resized(size.expandedTo(QSize(0, 0)), QImage::Format_RGB32);
    resized.fill(background_);
    if (!image_.isNull() && !resized.isNull()) {
        QPainter copy(&resized);
        copy.drawImage(0, 0, image_);
    }
    image_ = std::move(resized);
}

const QImage& PaintSurface::image()
{
    finish();
    return image_;
}

QPainter* PaintSurface::painter()
{
    if (image_.isNull()) return nullptr;
    if (!painter_) {
        painter_ = std::make_unique<QPainter>(&image_);
        painter_->setRenderHint(QPainter::Antialiasing, false);
        painter_->setRenderHint(QPainter::TextAntialiasing, true);
        painter_->setPen(linePen(penWidth_, penColour_));
    }
    return painter_.get();
}

void PaintSurface::finish() { painter_.reset(); }

void PaintSurface::clear()
{
    if (painter_)
        painter_->fillRect(image_.rect(), background_);
    else
        image_.fill(background_);
}

void PaintSurface::setPenWidth(std::int32_t pixels)
{
    if (pixels == penWidth_) return;
    penWidth_ = pixels;
    if (painter_) painter_->setPen(linePen(penWidth_, penColour_));
}

void PaintSurface::setPenColour(PenColour colour)
{
    penColour_ = colour;
    if (painter_) painter_->setPen(linePen(penWidth_, penColour_));
}

void PaintSurface::moveTo(std::int32_t x, std::int32_t y) { current_ = QPoint(x, y); }

void PaintSurface::lineTo(std::int32_t x, std::int32_t y)
{
    const QPoint to(x, y);
    if (penWidth_ <= 1)
        drawThinLine(image_, current_, to, penColour(penColour_).rgb());
    else if (QPainter* p = painter())
        p->drawLine(current_, to);
    current_ = to;
}

void PaintSurface::drawText(std::int32_t x, std::int32_t y, TextAlign align, const Font& font, std::string_view text)
{
    if (QPainter* p = painter()) paintText(*p, x, y, align, font, text);
}

PainterSurface::PainterSurface(QPainter& painter, QSizeF size, double dotsPerInch, QColor background)
    : painter_(painter), size_(size), dpi_(dotsPerInch), background_(background)
{
    painter_.setRenderHint(QPainter::Antialiasing, false);
    painter_.setRenderHint(QPainter::TextAntialiasing, true);
    painter_.setPen(linePen(penWidth_, penColour_));
}

void PainterSurface::clear() { painter_.fillRect(QRectF(QPointF(0, 0), size_), background_); }

void PainterSurface::setPenWidth(std::int32_t pixels)
{
    penWidth_ = pixels;
    painter_.setPen(linePen(penWidth_, penColour_));
}

void PainterSurface::setPenColour(PenColour colour)
{
    penColour_ = colour;
    painter_.setPen(linePen(penWidth_, penColour_));
}

void PainterSurface::moveTo(std::int32_t x, std::int32_t y) { current_ = QPoint(x, y); }

void PainterSurface::lineTo(std::int32_t x, std::int32_t y)
{
    const QPoint to(x, y);
    if (penWidth_ > 1) {
        painter_.drawLine(current_, to);
    } else if (to != current_) {
        // Through the pixel centres, moved back half a pixel so the flat ends cover the
        // first pixel whole and leave the end pixel out, as drawThinLine does.
        const QLineF path(current_, to);
        const QPointF back = QPointF(0.5, 0.5) - (path.unitVector().p2() - path.p1()) / 2;
        painter_.drawLine(path.translated(back));
    }
    current_ = to;
}

void PainterSurface::drawText(std::int32_t x, std::int32_t y, TextAlign align, const Font& font, std::string_view text)
{
    paintText(painter_, x, y, align, font, text);
}

}  // namespace quorlin
