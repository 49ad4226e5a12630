#pragma once

#include "plot/surface.h"

#include <string>
#include <vector>

namespace quorlin::testing {

using Px = std::int32_t;

struct Line {
    Px x1, y1, x2, y2;
    bool operator==(const Line&) const = default;
};

// Keeps what a plot asks for on a 600 by 450 surface at 96 dpi.
struct Recorder : Surface {
    void clear() override { ++clears; }
    double innerWidth() const override { return 600; }
    double innerHeight() const override { return 450; }
    double dotsPerInch() const override { return 96; }
    void setPenWidth(Px) override { ++pens; }
    void setPenColour(PenColour colour) override { grey = colour == PenColour::Grey; }
    void moveTo(Px x, Px y) override { moves.push_back(at = {x, y, x, y}); }
    void lineTo(Px x, Px y) override
    {
        lines.push_back(at = {at.x2, at.y2, x, y});
        if (grey) greyLines.push_back(at);
    }
    void drawText(Px x, Px y, TextAlign, const Font&, std::string_view text) override
    {
        texts.emplace_back(text);
        anchors.push_back({x, y, x, y});
    }
    int calls() const { return clears + pens + static_cast<int>(moves.size() + lines.size() + texts.size()); }

    std::vector<Line> moves, lines, anchors, greyLines;
    std::vector<std::string> texts;
    Line at{};
    int clears = 0, pens = 0;
    bool grey = false;
};

}  // namespace quorlin::testing
