#pragma once

#include "plot/surface.h"

#include <string>
#include <string_view>

namespace quorlin {

// The text as XML character data or attribute value: markup characters escaped, control
// characters dropped and byte sequences that are no UTF-8 replaced by U+FFFD, so that a
// file name from the disk cannot make the document unreadable.
std::string xmlEscaped(std::string_view text);

// Records the drawing as SVG: lines at the very pixel coordinates the plots give, text as
// text, so that an export scales and prints sharp.
class SvgSurface final : public Surface {
public:
    SvgSurface(int width, int height, double dotsPerInch = 96.0);

    void clear() override;
    double innerWidth() const override { return width_; }
    double innerHeight() const override { return height_; }
    // Whole-pixel coordinates drawn with crisp edges: a mark drawn again over itself adds
    // bytes but nothing to the picture. Asked to, the surface says so, and the plots then
    // leave such marks out when they have more points than columns.
    bool isRaster() const override { return drawnOnce_; }
    void setDrawnOnce(bool on) { drawnOnce_ = on; }
    double dotsPerInch() const override { return dpi_; }
    void setPenWidth(std::int32_t pixels) override;
    void setPenColour(PenColour colour) override;
    void moveTo(std::int32_t x, std::int32_t y) override;
    void lineTo(std::int32_t x, std::int32_t y) override;
    void drawText(std::int32_t x, std::int32_t y, TextAlign align, const Font& font, std::string_view text) override;

    // The picture's size when shown, if other than the drawing's: the view box scales it.
    void setDisplaySize(int width, int height);

    // A standalone SVG file: XML declaration, size in pixels and a view box.
    std::string document() const;
    // The <svg> element alone, to be placed inline in HTML.
    std::string element() const;

private:
    void endPath();

    int width_;
    int height_;
    int displayWidth_;
    int displayHeight_;
    double dpi_;
    std::int32_t penWidth_ = 1;
    PenColour penColour_ = PenColour::Black;
    std::int32_t x_ = 0;
    std::int32_t y_ = 0;
    // Whether body_ ends inside an open path's d attribute, and where that path stands.
    bool drawnOnce_ = false;
    bool pathOpen_ = false;
    std::int32_t pathX_ = 0;
    std::int32_t pathY_ = 0;
    std::string body_;
};

}  // namespace quorlin
