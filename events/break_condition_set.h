// CBreakConditionSet: the eight on-chip break-condition channels of the
// plain event handler, made and deleted by the target. This is its first
// form: the channels and their sheets come with the break-condition
// subsystem; until then no channel carries a condition.
#pragma once

#include "platform/host/interfaces.h"

class CBreakConditionSet {
public:
    explicit CBreakConditionSet(IHostServiceProvider* host) : m_host(host) {}
    virtual ~CBreakConditionSet() = default;
    CBreakConditionSet(const CBreakConditionSet&) = delete;
    CBreakConditionSet& operator=(const CBreakConditionSet&) = delete;

    // The channel's use flag (0..7; -1: channels 0..3 together): non-zero
    // when it carries a break condition.
    virtual DWORD GetChannelFlag(int) const { return 0; }

    IHostServiceProvider* GetHost() const { return m_host; }

private:
    IHostServiceProvider* m_host;
};
