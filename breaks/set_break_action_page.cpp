#include "breaks/set_break_action_page.h"

#include "breaks/break_manager.h"
#include "breaks/set_break_preset.h"

namespace {

constexpr DWORD kDataSizes[] = {1, 2, 4, 8};

LONG SizeIndexOf(DWORD dataSize) {
    switch (dataSize) {
        case 8:
            return 3;
        case 4:
            return 2;
        case 2:
            return 1;
        default:
            return 0;
    }
}

}  // namespace

IMPLEMENT_DYNCREATE(CSetBrk2, CPropertyPage)

CSetBrk2::CSetBrk2() : CSetBrk2(nullptr) {}

CSetBrk2::CSetBrk2(IHostServiceProvider* hostProvider) : CPropertyPage(kTemplateId), host(hostProvider) {}

BreakActionDesc CSetBrk2::ReadBack() const {
    BreakActionDesc desc;
    desc.type = actionType;
    if (actionType == break_action::kFileInput || actionType == break_action::kFileOutput) {
        desc.fileName = fileName;
        desc.address = addressValue;
        desc.dataSize = sizeIndex >= 0 && sizeIndex < 3 ? kDataSizes[sizeIndex] : kDataSizes[3];
        desc.count = countValue;
        if (actionType == break_action::kFileOutput) {
            desc.append = static_cast<DWORD>(append);
        }
    } else if (actionType == break_action::kInterrupt) {
        desc.interruptType1 = interruptType1;
        desc.interruptType2 = interruptType2;
        desc.priority = priority;
    }
    return desc;
}

void CTBreakManager::PresetActionPage(CSetBrk2& page, const CTBreakAction& action) {
    page.actionType = action.GetType();
    if (const auto* file = dynamic_cast<const CTBreakActionFile*>(&action)) {
        page.fileName = file->GetFileName();
        page.addressValue = file->GetAddress();
        page.addressText = HexText(file->GetAddress(), 8).Str();
        page.countValue = file->GetCount() & 0xFFFFu;
        page.countText = "D'" + std::to_string(file->GetCount());
        page.sizeIndex = SizeIndexOf(file->GetDataSize());
        if (const auto* output = dynamic_cast<const CTBreakActionFileOutput*>(file)) {
            page.append = static_cast<LONG>(output->GetAppend());
        }
    } else if (const auto* interrupt = dynamic_cast<const CTBreakActionInterrupt*>(&action)) {
        page.interruptType1 = interrupt->GetInterruptType1();
        page.interruptType2 = interrupt->GetInterruptType2();
        page.priority = interrupt->GetPriority();
        page.interruptType1Text = HexText(page.interruptType1).Str();
        page.interruptType2Text = HexText(page.interruptType2).Str();
        page.priorityText = HexText(page.priority).Str();
    }
}

bool CTBreakManager::IsSameAction(const CTBreakAction& action, const BreakActionDesc& desc) {
    const BreakActionDesc own = DescribeBreakAction(action);
    if (own.type != desc.type) {
        return false;
    }
    switch (own.type) {
        case break_action::kStop:
            return true;
        case break_action::kFileInput:
        case break_action::kFileOutput:
            return own.fileName == desc.fileName && own.address == desc.address && own.dataSize == desc.dataSize &&
                   own.count == desc.count && (own.type == break_action::kFileInput || own.append == desc.append);
        case break_action::kInterrupt:
            return own.interruptType1 == desc.interruptType1 && own.interruptType2 == desc.interruptType2 &&
                   own.priority == desc.priority;
        default:
            return false;
    }
}
