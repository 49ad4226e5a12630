#include "adjustment_flags.h"

#include "translatable.h"

#include <cctype>
#include <cstdint>

namespace quorlin {

namespace {

std::int32_t countOf(const AdjustmentFlags& flags, ReadingFlags flag)
{
    std::int32_t count = 0;
    for (const ReadingFlags point : flags.points) count += (point & flag) != 0;
    return count;
}

// "1 adjusted value lies", "3 adjusted values lie".
std::string counted(std::int32_t count, std::string_view one, std::string_view many)
{
    return std::to_string(count) + std::string(count == 1 ? one : many);
}

void join(std::string& text, const std::string& part)
{
    if (!text.empty()) text += "; ";
    text += part;
}

}  // namespace

std::string adjustmentFlagsText(const AdjustmentFlags& flags, const RegionalSettings& regional)
{
    std::string text;
    if (const std::int32_t n = countOf(flags, kOutsideCalibration); n > 0)
        join(text,
             counted(n, QUORLIN_TRANSLATE_NOOP("Messages", " adjusted value lies outside the calibrated emf range"),
                     QUORLIN_TRANSLATE_NOOP("Messages", " adjusted values lie outside the calibrated emf range")));
    if (const std::int32_t n = countOf(flags, kNoRoot); n > 0)
        join(text,
             counted(n, QUORLIN_TRANSLATE_NOOP("Messages", " reading has no pH in 0–14 and is adjusted as at pH 0"),
                     QUORLIN_TRANSLATE_NOOP("Messages", " readings have no pH in 0–14 and are adjusted as at pH 0")));
    if (flags.turn) {
        const std::string turn = QUORLIN_TRANSLATE_NOOP("Messages", "the electrode function's turning point at pH ")
                                 + formatNumber(flags.turn->pH, "#0.00", regional);
        if (flags.turn->spanned && !flags.points.empty())
            join(text, QUORLIN_TRANSLATE_NOOP("Messages", "the calibration points lie on both sides of ") + turn
                           + QUORLIN_TRANSLATE_NOOP("Messages", ", so every adjusted value is in doubt"));
        else if (const std::int32_t n = countOf(flags, kTurningPoint); n > 0)
            join(text, counted(n, QUORLIN_TRANSLATE_NOOP("Messages", " reading is adjusted on the calibrated side of "),
                               QUORLIN_TRANSLATE_NOOP("Messages", " readings are adjusted on the calibrated side of "))
                           + turn);
    }
    if (!text.empty()) text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

std::string readingFlagsText(ReadingFlags flags, const AdjustmentFlags& all)
{
    std::string text;
    if (flags & kOutsideCalibration) join(text, QUORLIN_TRANSLATE_NOOP("Messages", "outside the calibrated emf range"));
    if (flags & kNoRoot) join(text, QUORLIN_TRANSLATE_NOOP("Messages", "no pH in 0–14: adjusted as at pH 0"));
    if (flags & kTurningPoint)
        join(text, all.turn && all.turn->spanned
                       ? QUORLIN_TRANSLATE_NOOP("Messages", "the calibration spans the turning point")
                       : QUORLIN_TRANSLATE_NOOP("Messages", "on the calibrated side of the turning point"));
    return text;
}

}  // namespace quorlin
