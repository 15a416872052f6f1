// Setting items and the stored setting text: a parse of any text, formatted
// and parsed again, gives the same valid items (the type becomes the name's
// own), and formatting again gives the same text.
#include "target/setting_item.h"
#include "target/target_setting_store.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <tuple>
#include <vector>

namespace {

using Item = std::tuple<DWORD, std::string>;

std::vector<Item> ValidItems(const CTargetSettingStore& store) {
    std::vector<Item> items;
    for (const auto& item : store.GetItems()) {
        if (item->IsValid()) {
            items.emplace_back(item->GetNameId(), item->GetValue());
        }
    }
    return items;
}

void Check(bool condition) {
    if (!condition) {
        std::abort();
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);

    CSettingItem item(text);
    if (item.IsValid()) {
        Check(!item.GetValue().empty());
        const DWORD nameId = item.GetNameId();
        const std::string value = item.GetValue();
        Check(item.Format());
        const std::string formatted = item.GetText();
        CSettingItem again(formatted);
        Check(again.IsValid() && again.GetNameId() == nameId && again.GetValue() == value);
        Check(again.Format() && again.GetText() == formatted);
    }

    CTargetSettingStore first(nullptr, nullptr);
    first.ParseText(text);
    const std::vector<Item> items = ValidItems(first);
    const std::string formatted = first.FormatText();
    CTargetSettingStore second(nullptr, nullptr);
    second.ParseText(formatted);
    Check(ValidItems(second) == items);
    Check(second.FormatText() == formatted);
    return 0;
}
