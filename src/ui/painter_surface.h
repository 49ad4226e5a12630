#pragma once

#include "plot/surface.h"

#include <QColor>
#include <QImage>
#include <QPoint>
#include <QSize>
#include <QSizeF>

#include <memory>

class QPainter;

namespace quorlin {

// The plot surface drawn with QPainter into an off-screen image, so a drawing outlives
// the window being covered: whoever shows it just paints image().
//
// Fonts: "Arial" is asked for by name; on Linux fontconfig hands out the metric twin
// Liberation Sans. A Font's pixel height is the character height (em height, without
// the cell's internal leading), which is exactly what QFont::setPixelSize sets, so it is
// passed on unchanged. The text's top edge is the top of the character cell, one
// ascent above the baseline.
//
// One-pixel lines are written straight into the image, end pixel left out; wider pens
// (size factors above 1) go through QPainter with flat caps.
class PaintSurface final : public Surface {
public:
    explicit PaintSurface(QSize size = {}, double dotsPerInch = 96, QColor background = Qt::white);
    ~PaintSurface() override;
    PaintSurface(const PaintSurface&) = delete;
    PaintSurface& operator=(const PaintSurface&) = delete;

    // A new size keeps what is drawn where it still fits; new parts get the background.
    void resize(QSize size);
    QSize size() const { return image_.size(); }
    void setDotsPerInch(double dpi) { dpi_ = dpi; }

    // The drawing so far. Finishes the painting in progress; the next primitive starts a
    // new one.
    const QImage& image();

    void clear() override;
    double innerWidth() const override { return image_.width(); }
    double innerHeight() const override { return image_.height(); }
    bool isRaster() const override { return true; }
    double dotsPerInch() const override { return dpi_; }
    void setPenWidth(std::int32_t pixels) override;
    void setPenColour(PenColour colour) override;
    void moveTo(std::int32_t x, std::int32_t y) override;
    void lineTo(std::int32_t x, std::int32_t y) override;
    void drawText(std::int32_t x, std::int32_t y, TextAlign align, const Font& font, std::string_view text) override;

private:
    // Null while no drawing is in progress or the image is empty.
    QPainter* painter();
    void finish();

    QImage image_;
    std::unique_ptr<QPainter> painter_;
    QColor background_;
    double dpi_;
    std::int32_t penWidth_ = 1;
    PenColour penColour_ = PenColour::Black;
    QPoint current_;
};

// The plot surface drawn on a painter the caller owns, such as one on a PDF, a printer
// or a scaled image; its pixels are the painter's logical units. One-pixel lines cover
// the same pixels as PaintSurface's, so a scaled or vector copy matches the window.
class PainterSurface final : public Surface {
public:
    PainterSurface(QPainter& painter, QSizeF size, double dotsPerInch, QColor background);

    void clear() override;
    double innerWidth() const override { return size_.width(); }
    double innerHeight() const override { return size_.height(); }
    double dotsPerInch() const override { return dpi_; }
    void setPenWidth(std::int32_t pixels) override;
    void setPenColour(PenColour colour) override;
    void moveTo(std::int32_t x, std::int32_t y) override;
    void lineTo(std::int32_t x, std::int32_t y) override;
    void drawText(std::int32_t x, std::int32_t y, TextAlign align, const Font& font, std::string_view text) override;

private:
    QPainter& painter_;
    QSizeF size_;
    double dpi_;
    QColor background_;
    std::int32_t penWidth_ = 1;
    PenColour penColour_ = PenColour::Black;
    QPoint current_;
};

}  // namespace quorlin
