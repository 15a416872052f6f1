// Random operations on the UI registration manager's item lists, with menus
// and id-text items built from them: the four per-item lists stay parallel,
// no list holds more than its capacity, every explicit id lies in its list's
// range and every implicit one is marked so, and the host sees every menu
// taken out and put back as it should (no host error).
#include "hostui/host_ui_manager.h"
#include "sim/host/sim_host.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

namespace {

// Reads the fuzzer's bytes one at a time; 0 once they are used up.
class Bytes {
public:
    Bytes(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}
    bool More() const { return at_ < size_; }
    std::uint8_t Next() { return at_ < size_ ? data_[at_++] : 0; }
    DWORD Word() {
        DWORD value = 0;
        for (int i = 0; i < 4; ++i) {
            value = (value << 8) | Next();
        }
        return value;
    }
    // A short text from a small alphabet, so that texts repeat.
    std::string Text() {
        static const char kLetters[] = "aAbB";
        std::string text;
        for (std::uint8_t length = Next() % 4; length > 0; --length) {
            text += kLetters[Next() % 4];
        }
        return text;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t at_ = 0;
};

void Check(const CHostUiManager& manager, DWORD listId) {
    CUiItemList list;
    if (!manager.GetItemList(listId, list)) {
        return;
    }
    const std::size_t count = list.Count();
    if (list.secondTexts.size() != count || list.thirdTexts.size() != count || list.commandIds.size() != count ||
        count > list.capacity) {
        std::abort();
    }
    for (std::size_t i = 0; i < count; ++i) {
        const DWORD id = list.commandIds[i];
        if (list.explicitIds ? !list.InRange(id) : id != CUiItemList::kNoExplicitId) {
            std::abort();
        }
        if (list.itemTexts[i].IsEmpty()) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    simhost::CallLog log;
    simhost::HostServiceProvider host(log);
    CHostUiManager manager(&host);
    DWORD owner = 0;
    manager.AcquireOwnerId(&owner);
    Bytes bytes(data, size);
    while (bytes.More()) {
        const std::uint8_t operation = bytes.Next();
        const DWORD listId = bytes.Next() % 3;
        const std::string text = bytes.Text();
        const LPCSTR textOrNull = (operation & 0x80) != 0 ? nullptr : text.c_str();
        CString out;
        DWORD id = 0;
        HRESULT result = S_OK;
        switch (operation % 8) {
        case 0:
            result = manager.CreateItemList(listId, bytes.Word() >> (bytes.Next() % 32), bytes.Next() % 6,
                                            bytes.Next() & 1);
            break;
        case 1:
        case 2: {
            const int position = static_cast<int>(bytes.Next() % 6) - 1;
            const DWORD placement = bytes.Next() % 3;
            const DWORD commandId = (bytes.Next() & 1) != 0 ? CUiItemList::kNoExplicitId : bytes.Word();
            result = manager.InsertItem(listId, textOrNull, (operation & 0x40) != 0 ? nullptr : "second", position,
                                        placement, "third", commandId);
            break;
        }
        case 3:
            result = manager.RemoveItem(listId, textOrNull);
            break;
        case 4:
            result = manager.GetItemSecondText(listId, bytes.Word(), &out);
            break;
        case 5:
            result = manager.FindItemId(listId, textOrNull, (operation & 0x40) != 0 ? nullptr : text.c_str(), &id);
            break;
        case 6:
            result = manager.AddListMenu(listId, owner, nullptr, nullptr, nullptr, bytes.Next());
            break;
        default:
            result = manager.AddIdItemFromList("list", listId, owner, nullptr, nullptr, nullptr, bytes.Next());
            break;
        }
        static_cast<void>(result);  // any answer will do; what the lists hold is checked
        for (DWORD list = 0; list < 3; ++list) {
            Check(manager, list);
        }
    }
    manager.UnregisterOwner(owner);
    manager.ReleaseOwnerId(&owner);
    if (!host.UiRegistry().HostErrors().empty()) {
        std::abort();
    }
    return 0;
}
