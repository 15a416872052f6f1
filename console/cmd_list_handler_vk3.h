// CCmdListHandlerVk3: the family's command list. Its open adds the four
// breakpoint commands to the base's and lets every command of the first
// list define its arguments; its close waits for the breakpoint listings
// still running, lets the commands delete their arguments, then deletes the
// commands.
#pragma once

#include "console/cmd_list_handler.h"

class CCmdBreakpointDisplay;

class CCmdListHandlerVk3 : public CCmdListHandler {
public:
    explicit CCmdListHandlerVk3(IHostServiceProvider* host) : CCmdListHandler(host) {}

    HRESULT OnTargetOpen() override;
    HRESULT OnTargetClose() override;

private:
    CCmdBreakpointDisplay* m_display = nullptr;  // in the first list while it is open
};
