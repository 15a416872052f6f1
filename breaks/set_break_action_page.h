// CSetBrk2: the action page of the "Set Break" sheet (template 144,
// "Action"): what a break does when it hits, and the recently used file
// names of the file actions. The sheet builds, presets and reads the page
// back without showing it, so its window is never made: its fields are the
// constructor's defaults or what CTBreakManager::PresetActionPage put there.
#pragma once

#include "breaks/break_action_desc.h"

#include "platform/afx.h"

#include <string>
#include <vector>

struct IHostServiceProvider;

class CSetBrk2 : public CPropertyPage {
    DECLARE_DYNCREATE(CSetBrk2)

public:
    static constexpr UINT kTemplateId = 144;

    // For dynamic creation: the same defaults, without a host.
    CSetBrk2();
    explicit CSetBrk2(IHostServiceProvider* host);

    // The description the page's values make (the texts are not read): the
    // size entries 0, 1, 2 are 1, 2 and 4 bytes, any other 8.
    BreakActionDesc ReadBack() const;

    std::vector<std::string> inputFiles;   // File Input names, most recent first
    std::vector<std::string> outputFiles;  // File Output names, same rule
    WORD fullActionList = 1;               // 1: all four action types offered
    DWORD addressValue = 0;
    DWORD countValue = 0;  // 16 bits of the preset count
    DWORD interruptType1 = 0;
    DWORD interruptType2 = 0;
    DWORD priority = 0;
    DWORD helpBase = kTemplateId;
    LONG actionType = break_action::kStop;  // 0 Stop, 1 File Input, 2 File Output, 3 Interrupt
    std::string fileName;
    LONG append = 0;
    std::string addressText;
    LONG sizeIndex = 0;  // "1", "2", "4", "8"
    std::string countText = "D'1";
    std::string interruptType1Text;
    std::string interruptType2Text;
    std::string priorityText = "H'0";
    IHostServiceProvider* host = nullptr;
};
