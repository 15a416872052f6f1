// The event handler's own readers and writers of the host workspace beside
// the session save: the event conditions read back from their "T_EVENT_"
// keys, and the PC-break snapshot under "T_BREAK_BP<n>". The target's
// session save and load do not use them.
#include "events/target_event_vk3.h"

#include "breaks/break_action_desc.h"
#include "breaks/break_manager.h"
#include "events/break_condition_set.h"
#include "frame/host_profile_accessor.h"

#include <cstdio>

namespace {

constexpr char kMissing[] = "ERROR";

}  // namespace

HRESULT CTargetEventVk3::LoadEventConditions(CHostProfileAccessor& accessor) {
    for (int n = 0; n < kChannels; ++n) {
        if (!Visited(n)) {
            continue;
        }
        char key[24];
        std::snprintf(key, sizeof(key), "T_EVENT_BC%d", n + 1);
        CString text;
        if (FAILED(accessor.ReadString(key, kMissing, text))) {
            continue;
        }
        int flag = 0, word = 0, addressDontCare = 0, addressKind = 0, maskIndex = 0;
        int dataDontCare = 0, dataSize = 0, direction = 0;
        unsigned address = 0, dataValue = 0;
        const int fields = std::sscanf(static_cast<const char*>(text), "%d,%d,%d,%x,%d,%d,%d,%d,%x,%d", &flag, &word,
                                       &addressDontCare, &address, &addressKind, &maskIndex, &dataDontCare,
                                       &dataSize, &dataValue, &direction);
        // Six fields at the least (the second channel is saved with six): a
        // missing or damaged value leaves that channel's record as it was,
        // and the other channels are still read.
        if (fields < 6) {
            continue;
        }
        CEventConditionRecord& record = Record(n);
        record.conditionFlag = flag;
        record.channelWord = word;
        record.addressDontCare = addressDontCare;
        record.address = address;
        record.addressKind = addressKind;
        record.maskIndex = maskIndex;
        // The second channel has no data fields; the others take them only
        // when all four are there.
        if (n != 1 && fields == 10) {
            record.dataDontCare = dataDontCare;
            record.dataSize = static_cast<WORD>(dataSize);
            record.dataValue = dataValue;
            record.direction = direction;
        }
    }
    CopyEventState();
    if (CBreakConditionSet* set = Set()) {
        for (int n = 0; n < kChannels; ++n) {
            if (!Visited(n)) {
                continue;
            }
            // A saved condition comes back as enabled or disabled as it was
            // saved: the list shows the record's word, and the chip must
            // hold what the list shows.
            if (Record(n).conditionFlag == 1) {
                set->SetChannelWord(static_cast<DWORD>(n), Record(n).channelWord == 1 ? 1 : 0);
            }
            set->EditChannel(static_cast<DWORD>(n), 2);
        }
    }
    return S_OK;
}

HRESULT CTargetEventVk3::SaveBreakpoints(CHostProfileAccessor& accessor) {
    HRESULT result = S_OK;
    for (int n = 0; n < kSnapshotEntries && !FAILED(result); ++n) {
        const PcBreakEntry& entry = m_snapshot[static_cast<std::size_t>(n)];
        char key[24];
        char value[64];
        std::snprintf(key, sizeof(key), "T_BREAK_BP%d", n);
        std::snprintf(value, sizeof(value), "%lx,%d,%ld", static_cast<unsigned long>(entry.address),
                      static_cast<int>(entry.enable), static_cast<long>(entry.count));
        result = accessor.WriteString(key, value);
    }
    return result;
}

HRESULT CTargetEventVk3::LoadBreakpoints(CHostProfileAccessor& accessor) {
    CTBreakManager* manager = Manager();
    if (manager == nullptr) {
        return S_OK;
    }
    for (int n = 0; n < kSnapshotEntries; ++n) {
        char key[24];
        std::snprintf(key, sizeof(key), "T_BREAK_BP%d", n);
        CString text;
        if (FAILED(accessor.ReadString(key, kMissing, text))) {
            continue;
        }
        unsigned long address = 0;
        int enable = 0;
        long count = 0;
        // Only a whole live entry makes a break; an empty, missing or damaged
        // one is passed over.
        if (std::sscanf(static_cast<const char*>(text), "%lx,%d,%ld", &address, &enable, &count) != 3 || count != 1) {
            continue;
        }
        const BreakActionDesc stop;
        static_cast<void>(manager->AddPcBreak(static_cast<DWORD>(address), 0, stop));  // 1 made, else it exists
        DWORD position = 0;
        if (enable == 0 && manager->FindPcBreak(static_cast<DWORD>(address), &position) == 1) {
            manager->SetPcBreakEnable(position, 0);
        }
    }
    RefreshPcBreakTable();
    return S_OK;
}
