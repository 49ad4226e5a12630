#pragma once

#include "plot/surface.h"

#include <algorithm>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace quorlin::test {

struct Clear {
    bool operator==(const Clear&) const = default;
};
struct PenWidth {
    std::int32_t pixels;
    bool operator==(const PenWidth&) const = default;
};
struct Move {
    std::int32_t x, y;
    bool operator==(const Move&) const = default;
};
struct Line {
    std::int32_t x1, y1, x2, y2;
    bool operator==(const Line&) const = default;
};
struct Text {
    std::int32_t x, y;
    TextAlign align;
    std::string face;
    std::int32_t pixelHeight;
    std::int32_t escapement;
    std::string text;
    bool operator==(const Text&) const = default;
};

using Op = std::variant<Clear, PenWidth, Move, Line, Text>;

// Keeps every primitive in order, a line with the position it starts from, so tests can
// check the exact pixels a plot asks for.
class RecordingSurface : public Surface {
public:
    explicit RecordingSurface(double width = 600, double height = 450, double dpi = 96)
        : width_(width), height_(height), dpi_(dpi)
    {
    }

    void clear() override { ops.emplace_back(Clear{}); }
    double innerWidth() const override { return width_; }
    double innerHeight() const override { return height_; }
    double dotsPerInch() const override { return dpi_; }
    void setPenWidth(std::int32_t pixels) override { ops.emplace_back(PenWidth{pixels}); }
    void moveTo(std::int32_t x, std::int32_t y) override
    {
        ops.emplace_back(Move{x, y});
        x_ = x;
        y_ = y;
    }
    void lineTo(std::int32_t x, std::int32_t y) override
    {
        ops.emplace_back(Line{x_, y_, x, y});
        x_ = x;
        y_ = y;
    }
    void drawText(std::int32_t x, std::int32_t y, TextAlign align, const Font& font,
                  std::string_view text) override
    {
        ops.emplace_back(Text{x, y, align, font.face, font.pixelHeight, font.escapement, std::string(text)});
    }

    template <typename T>
    std::vector<T> all() const
    {
        std::vector<T> found;
        for (const Op& op : ops)
            if (const T* p = std::get_if<T>(&op)) found.push_back(*p);
        return found;
    }
    // The lines drawn, in order; only those `keep` accepts when it is given.
    std::vector<Line> lines(const std::function<bool(const Line&)>& keep = nullptr) const
    {
        std::vector<Line> found;
        for (const Line& l : all<Line>())
            if (!keep || keep(l)) found.push_back(l);
        return found;
    }

    // The texts drawn, in order; only those anchored on `row` when it is given.
    std::vector<Text> texts(std::optional<std::int32_t> row = std::nullopt) const
    {
        std::vector<Text> found;
        for (const Text& t : all<Text>())
            if (!row || t.y == *row) found.push_back(t);
        return found;
    }
    std::vector<std::string> strings(std::optional<std::int32_t> row = std::nullopt) const
    {
        std::vector<std::string> found;
        for (const Text& t : texts(row)) found.push_back(t.text);
        return found;
    }

    template <typename T>
    bool has(const T& wanted) const
    {
        return std::find(ops.begin(), ops.end(), Op(wanted)) != ops.end();
    }

    std::vector<Op> ops;

private:
    double width_, height_, dpi_;
    std::int32_t x_ = 0, y_ = 0;
};

}  // namespace quorlin::test
