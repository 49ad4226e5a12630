// Any text typed into a number field, in the point and in the comma convention.
#include "fuzz_harness.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    const std::string text(reinterpret_cast<const char*>(data), size);
    const quorlin::NumberEntry entry = quorlin::textToNumber(text, fuzz::kRegions[0]);
    FUZZ_CHECK(entry.outOfRange == entry.number.isEmpty() && std::isfinite(entry.number.value()));
    // The first point or comma is the decimal separator in either convention.
    const quorlin::NumberEntry comma = quorlin::textToNumber(text, fuzz::kRegions[1]);
    FUZZ_CHECK(comma.number == entry.number && comma.outOfRange == entry.outOfRange);
    // A text strtof reads whole is the same single, or out of range where strtof overflows.
    char* end = nullptr;
    const float expected = std::strtof(text.c_str(), &end);
    if (!text.empty() && end == text.c_str() + size && text.find_first_not_of("0123456789.eE+-") == fuzz::npos)
        FUZZ_CHECK(std::isinf(expected) ? entry.outOfRange : entry.number == quorlin::Number::fromSingle(expected));
    return 0;
}
