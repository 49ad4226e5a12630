#include "regional_settings.h"

namespace quorlin {

namespace {

// Some locales use two characters for a separator; only a single ASCII one is usable.
std::optional<char> asciiSymbol(const QString& symbol)
{
    if (symbol.size() != 1) return std::nullopt;
    const QChar c = symbol.front();
    if (c.isSpace()) return ' ';
    if (c.unicode() > 0x20 && c.unicode() < 0x7f) return static_cast<char>(c.unicode());
    return std::nullopt;
}

}  // namespace

RegionalSettings regionalSettingsFrom(const QLocale& locale)
{
    RegionalSettings regional;
    if (const auto decimal = asciiSymbol(locale.decimalPoint()); decimal && *decimal != ' ')
        regional.decimalSeparator = *decimal;

    const auto grouping = asciiSymbol(locale.groupSeparator());
    if (grouping && *grouping != regional.decimalSeparator)
        regional.groupingSymbol = *grouping;
    else
        regional.groupingSymbol = regional.decimalSeparator == ',' ? '.' : ',';
    return regional;
}

}  // namespace quorlin
