// One row of the event handler's host lists, with the texts it points to.
// The row owns its texts: they stay valid until the row is filled again or
// destroyed, so a host may read a row until it asks for that row again.
#pragma once

#include "platform/bstr.h"
#include "platform/host/handler_interfaces.h"

#include <array>
#include <string>

class CEventItemRow {
public:
    struct Fields {
        DWORD number = 0;
        std::string kind;
        DWORD state = 0;
        DWORD kindCode = 0;
        DWORD value = 0;
        LONG number8 = 0;
        std::string condition;
        std::string action;
    };

    // The row refilled (its old texts freed); the record the host reads.
    CEventItemInfo* Fill(const Fields& fields) {
        m_texts = {platform::Bstr(fields.kind), platform::Bstr(std::string()), platform::Bstr(std::string()),
                   platform::Bstr(fields.condition), platform::Bstr(fields.action)};
        m_info.number = fields.number;
        m_info.kindText = m_texts[0].Get();
        m_info.text3 = m_texts[1].Get();
        m_info.state = fields.state;
        m_info.kindCode = fields.kindCode;
        m_info.value = fields.value;
        m_info.text7 = m_texts[2].Get();
        m_info.number8 = fields.number8;
        m_info.conditionText = m_texts[3].Get();
        m_info.actionText = m_texts[4].Get();
        return &m_info;
    }

private:
    CEventItemInfo m_info{};
    std::array<platform::Bstr, 5> m_texts;
};
