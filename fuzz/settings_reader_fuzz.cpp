// The plug-in's settings reader over an arbitrary file (as a device
// description file the protected-register list is loaded from): no lookup
// reads past the loaded text or writes past its buffer, and every entry the
// list keeps lies inside the flash mirror.
#include "link/flash_mirror.h"
#include "startup/protected_registers.h"
#include "config/settings_files.h"
#include "target/target_vk3.h"

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <vector>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    constexpr char kFile[] = "Z:\\fuzz\\DEVICE.CNF";
    // The cache holds what the loader would: the bytes, then 0x1A and 0.
    std::vector<char> content(data, data + size);
    content.push_back('\x1A');
    content.push_back('\0');
    CSettingsFileCache& cache = GetTarget()->GetSettingsCache();
    cache.SetFileName(kFile);
    cache.SetContent(std::move(content));

    char small[8];
    char large[256];
    ReadProfileString("Q3v KTR4 TARGET", "LIBRARY NAME", "default", small, sizeof(small), kFile);
    ReadProfileString("VK31D16", "DEVICE NAME", "", large, sizeof(large), kFile);
    static_cast<void>(ReadProfileValue("VK31D16", "FLASHBLOCK", 0, kFile));

    CProtectedRegisterList list;
    list.Load("VK31D16", kFile);
    if (list.GetCount() != list.Entries().size()) {
        std::abort();
    }
    for (const CProtectedRegisterList::Entry& entry : list.Entries()) {
        if (entry.address >= kFlashMirrorSize) {
            std::abort();
        }
    }
    list.CheckValues();
    list.WarnRegisterChanged();
    cache.Clear();
    return 0;
}
