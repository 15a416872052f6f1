// One setting item of the text the host keeps for the target's memory-map
// settings: "[" type letter "|" name "|" value "]". An item parses from its
// text, formats its text from its fields, and passes its value to the
// memory map's setting texts or reads it back from them.
#pragma once

#include "platform/wintypes.h"

#include <string>

class CMemoryMapSettingTexts;

class CSettingItem {
public:
    enum Type : DWORD { kTypeNone = 0, kTypeV = 1, kTypeB = 2, kTypeI = 3, kTypeS = 4 };
    enum NameId : DWORD {
        kNameNone = 0,
        kVersion = 1,
        kMap = 2,
        kResource = 3,
        kRomMode = 4,
        kBusMode = 5,
        kCpuMode = 6,
        kSimIoF = 7,
        kSimIoAdr = 8,
    };

    CSettingItem() = default;
    // Keeps the text and parses it.
    explicit CSettingItem(std::string text);
    // Keeps the name and value, takes the name's type and formats the text.
    CSettingItem(DWORD nameId, std::string value);

    // Text to fields; answers the valid flag. An item with an unknown type
    // letter or name, or an empty value, is invalid and keeps no fields.
    bool Parse();
    // Fields to text; answers the valid flag (set for every named item).
    bool Format();
    // Passes the value to the memory map (none: nothing to pass to) as the
    // name says; answers what the memory map answered, or for SIMIOF and
    // SIMIOADR the value computed from the text, else 0.
    DWORD Apply(CMemoryMapSettingTexts* map) const;
    // Takes the value from the memory map as the name says.
    void ReadBack(CMemoryMapSettingTexts* map);

    const std::string& GetText() const { return m_text; }
    DWORD GetType() const { return m_type; }
    DWORD GetNameId() const { return m_nameId; }
    const std::string& GetValue() const { return m_value; }
    bool IsValid() const { return m_valid != 0; }

    // The name's id (0 when the name is unknown), and the name of an id.
    static DWORD FindNameId(const std::string& name);
    static const char* NameOf(DWORD nameId);

private:
    std::string m_text;
    DWORD m_type = kTypeNone;
    DWORD m_nameId = kNameNone;
    std::string m_value;
    DWORD m_valid = 0;
};
