#pragma once

#include <QString>

#include <string_view>

namespace quorlin {

// The plain layers speak UTF-8 strings; the window speaks QString.
inline QString qStringOf(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace quorlin
