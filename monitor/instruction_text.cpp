#include "monitor/instruction_text.h"

#include "util/service_slot.h"

#include <algorithm>
#include <utility>

namespace {

// Made on first use: the target installs the source while the module's
// static objects are still being made.
ServiceSlot<InstructionTextSource>& Source() {
    static ServiceSlot<InstructionTextSource> source;
    return source;
}

}  // namespace

InstructionTextSource SetInstructionTextSource(InstructionTextSource source) {
    InstructionTextSource previous;
    Source().Update([&](InstructionTextSource& current) { previous = std::exchange(current, std::move(source)); });
    return previous;
}

DWORD GetInstructionText(DWORD address, std::span<char> destination, DWORD* length) {
    *length = 0;
    if (destination.empty()) {
        return 1;
    }
    const InstructionTextSource source = Source().Get();
    const std::string text = source ? source(address) : std::string();
    const std::size_t copied = std::min(text.size(), destination.size() - 1);
    std::copy_n(text.begin(), copied, destination.begin());
    destination[copied] = '\0';
    *length = static_cast<DWORD>(copied);
    return 1;
}
