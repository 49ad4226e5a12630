#include "run.h"

#include <clocale>
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

namespace {

// The decimal separator and grouping symbol of LC_NUMERIC/LANG, as the window takes
// them from the desktop; multi-byte symbols fall back to the defaults.
quorlin::RegionalSettings regionalFromEnvironment()
{
    quorlin::RegionalSettings regional;
    if (std::setlocale(LC_NUMERIC, "")) {
        const std::lconv* conv = std::localeconv();
        if (std::strlen(conv->decimal_point) == 1) regional.decimalSeparator = conv->decimal_point[0];
        if (std::strlen(conv->thousands_sep) == 1) regional.groupingSymbol = conv->thousands_sep[0];
    }
    // Nothing below may depend on the C locale.
    std::setlocale(LC_NUMERIC, "C");
    return regional;
}

}  // namespace

int main(int argc, char** argv)
{
    const std::vector<std::string> args(argv + 1, argv + argc);
    return quorlin::cli::Run(args, regionalFromEnvironment(), std::cout, std::cerr);
}
