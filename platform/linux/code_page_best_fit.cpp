#include "platform/linux/code_page_best_fit.h"

#include <algorithm>

namespace platform::detail {

std::optional<std::uint16_t> FindBestFit(std::span<const BestFit> table, char16_t character) {
    const auto found = std::ranges::lower_bound(table, character, {}, &BestFit::character);
    if (found == table.end() || found->character != character) {
        return std::nullopt;
    }
    return found->bytes;
}

}  // namespace platform::detail
