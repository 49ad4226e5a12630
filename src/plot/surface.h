#pragma once

#include <cstdint>
#include <string>
#include <string_view>

namespace quorlin {

enum class TextAlign { Left, Centre, Right };

// Grey marks what is shown but not taken into account, such as a point left out of the fit.
enum class PenColour { Black, Grey };

struct Font {
    std::string face;
    // Character height: the glyphs' em height, without the cell's internal leading.
    std::int32_t pixelHeight = 0;
    // Degrees counter-clockwise: 0 for horizontal text, 90 for text reading upwards.
    std::int32_t escapement = 0;
};

// What the plots need of a drawing surface. Pixel coordinates start at the top-left
// corner, y grows downwards. The pen is solid; a fresh surface's pen is black and one
// pixel wide.
class Surface {
public:
    virtual ~Surface() = default;

    // Fills the whole surface with its background colour.
    virtual void clear() = 0;

    virtual double innerWidth() const = 0;
    virtual double innerHeight() const = 0;

    // A surface of innerWidth x innerHeight pixels, on which drawing what covers only
    // pixels drawn already in the same pen changes nothing. A vector surface keeps
    // every element and says no, unless told to draw each pixel's marks once.
    virtual bool isRaster() const { return false; }

    // Resolution of the screen, used to turn font points into pixels.
    virtual double dotsPerInch() const = 0;

    virtual void setPenWidth(std::int32_t pixels) = 0;
    virtual void setPenColour(PenColour colour) = 0;

    virtual void moveTo(std::int32_t x, std::int32_t y) = 0;

    // A line from the current position to (x, y), whose end pixel is not drawn; (x, y)
    // becomes the current position.
    virtual void lineTo(std::int32_t x, std::int32_t y) = 0;

    // Text whose top edge lies on the anchor and which is aligned horizontally on it.
    // Top and alignment are meant in the text's own direction: turned by 90 degrees, the
    // top faces left and the alignment runs along the column.
    virtual void drawText(std::int32_t x, std::int32_t y, TextAlign align, const Font& font, std::string_view text) = 0;
};

}  // namespace quorlin
