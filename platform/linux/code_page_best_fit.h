// Windows' "best fit" for the code pages: a character the code page cannot
// hold becomes a look-alike it can (U+0100 "A with macron" becomes "A"),
// unless the caller asks for WC_NO_BEST_FIT_CHARS. These conversions are
// one way: the bytes convert back to the look-alike.
#pragma once

#include <cstdint>
#include <optional>
#include <span>

namespace platform::detail {

struct BestFit {
    char16_t character;
    std::uint16_t bytes;  // a single byte, or lead << 8 | trail
};

// Sorted by character.
std::span<const BestFit> WesternBestFits();
std::span<const BestFit> JapaneseBestFits();

// The best fit for a character, if the table has one.
std::optional<std::uint16_t> FindBestFit(std::span<const BestFit> table, char16_t character);

}  // namespace platform::detail
