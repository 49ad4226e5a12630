#include "svg_surface.h"

#include <algorithm>

namespace quorlin {

namespace {

// The length of the well-formed UTF-8 sequence at the start of `s`, 0 when there is none.
std::size_t utf8Length(std::string_view s)
{
    const auto byte = [&s](std::size_t i) { return static_cast<unsigned char>(s[i]); };
    const unsigned char lead = byte(0);
    if (lead < 0x80) return 1;
    const std::size_t n = lead >= 0xF0 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 ? 2 : 0;
    if (n == 0 || lead > 0xF4 || s.size() < n) return 0;
    for (std::size_t i = 1; i < n; ++i)
        if ((byte(i) & 0xC0) != 0x80) return 0;
    // Overlong forms, surrogates and code points beyond U+10FFFF.
    if ((lead == 0xE0 && byte(1) < 0xA0) || (lead == 0xED && byte(1) >= 0xA0) || (lead == 0xF0 && byte(1) < 0x90)
        || (lead == 0xF4 && byte(1) >= 0x90))
        return 0;
    return n;
}

std::string fontFamily(std::string_view face)
{
    std::string family;
    // A quote in the face would end the CSS string early.
    for (const char c : face)
        if (c != '\'' && c != '"' && c != '\\') family += c;
    return family.empty() ? "sans-serif" : "'" + xmlEscaped(family) + "', sans-serif";
}

std::string_view anchorName(TextAlign align)
{
    switch (align) {
    case TextAlign::Left: return "start";
    case TextAlign::Centre: return "middle";
    case TextAlign::Right: return "end";
    }
    return "start";
}

}  // namespace

std::string xmlEscaped(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    while (!text.empty()) {
        const std::size_t n = utf8Length(text);
        const char c = text[0];
        if (n == 0)
            out += "\xEF\xBF\xBD";
        else if (n > 1)
            out.append(text.substr(0, n));
        else if (c == '<')
            out += "&lt;";
        else if (c == '>')
            out += "&gt;";
        else if (c == '&')
            out += "&amp;";
        else if (c == '"')
            out += "&quot;";
        else if (c == '\'')
            out += "&#39;";
        else if (static_cast<unsigned char>(c) >= 0x20 || c == '\t' || c == '\n')
            out += c;
        text.remove_prefix(std::max<std::size_t>(n, 1));
    }
    return out;
}

SvgSurface::SvgSurface(int width, int height, double dotsPerInch)
    : width_(std::max(width, 0)), height_(std::max(height, 0)), displayWidth_(width_), displayHeight_(height_),
      dpi_(dotsPerInch)
{
}

void SvgSurface::endPath()
{
    if (pathOpen_) body_ += "\"/>\n";
    pathOpen_ = false;
}

void SvgSurface::clear()
{
    // Whatever was drawn lies underneath the new background.
    body_.clear();
    pathOpen_ = false;
    body_ += "<rect width=\"100%\" height=\"100%\" fill=\"#fff\"/>\n";
}

void SvgSurface::setPenWidth(std::int32_t pixels)
{
    if (pixels == penWidth_) return;
    endPath();
    penWidth_ = pixels;
}

void SvgSurface::setPenColour(PenColour colour)
{
    if (colour == penColour_) return;
    endPath();
    penColour_ = colour;
}

void SvgSurface::moveTo(std::int32_t x, std::int32_t y)
{
    x_ = x;
    y_ = y;
}

void SvgSurface::lineTo(std::int32_t x, std::int32_t y)
{
    const auto point = [](std::int32_t px, std::int32_t py) { return std::to_string(px) + ' ' + std::to_string(py); };
    if (!pathOpen_) {
        body_ += std::string("<path fill=\"none\" stroke=\"") + (penColour_ == PenColour::Grey ? "#999" : "#000")
                 + "\" stroke-width=\"" + std::to_string(penWidth_) + "\" d=\"M" + point(x_, y_);
        pathOpen_ = true;
    } else if (pathX_ != x_ || pathY_ != y_) {
        body_ += " M" + point(x_, y_);
    }
    body_ += " L" + point(x, y);
    x_ = pathX_ = x;
    y_ = pathY_ = y;
}

void SvgSurface::drawText(std::int32_t x, std::int32_t y, TextAlign align, const Font& font, std::string_view text)
{
    if (text.empty() || font.pixelHeight <= 0) return;
    endPath();
    const std::string at = std::to_string(x) + ' ' + std::to_string(y);
    body_ += "<text x=\"" + std::to_string(x) + "\" y=\"" + std::to_string(y) + "\" font-family=\""
             + fontFamily(font.face) + "\" font-size=\"" + std::to_string(font.pixelHeight) + "\" text-anchor=\""
             + std::string(anchorName(align)) + '"';
    if (font.escapement != 0) body_ += " transform=\"rotate(" + std::to_string(-font.escapement) + ' ' + at + ")\"";
    // The anchor is the top of the text; the baseline lies about an ascent below it.
    body_ += " dy=\"0.9em\">" + xmlEscaped(text) + "</text>\n";
}

void SvgSurface::setDisplaySize(int width, int height)
{
    displayWidth_ = std::max(width, 0);
    displayHeight_ = std::max(height, 0);
}

std::string SvgSurface::element() const
{
    std::string out = "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" + std::to_string(displayWidth_)
                      + "px\" height=\"" + std::to_string(displayHeight_) + "px\" viewBox=\"0 0 "
                      + std::to_string(width_) + ' ' + std::to_string(height_) + "\" shape-rendering=\"crispEdges\">\n";
    out.reserve(out.size() + body_.size() + 16);
    out += body_;
    if (pathOpen_) out += "\"/>\n";
    out += "</svg>\n";
    return out;
}

std::string SvgSurface::document() const { return "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n" + element(); }

}  // namespace quorlin
