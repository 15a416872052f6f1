#include "util/string_join.h"

#include "util/string_text.h"

#include <algorithm>
#include <cstring>

namespace {

void AppendText(MultiString& out, const char* text) {
    out.insert(out.end(), text, text + std::strlen(text) + 1);
}

}  // namespace

CString JoinStringList(const CStringList& list, char separator) {
    return JoinStringListWithText(list, CString(separator));
}

CString JoinStringListWithText(const CStringList& list, LPCSTR separator) {
    CString text;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        text += list.GetNext(position);
        if (position != nullptr) {
            text += separator;
        }
    }
    return text;
}

std::unique_ptr<CTextBuffer> JoinStringListBuffered(const CStringList& list, char separator, int bufferSize) {
    auto buffer = std::make_unique<CTextBuffer>(nullptr, static_cast<std::uint32_t>(std::max(bufferSize, 0)));
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        buffer->Append(list.GetNext(position));
        if (position != nullptr) {
            buffer->AppendChar(separator);
        }
    }
    return buffer;
}

CString JoinEscaped(const CStringList& list, char separator, char escape) {
    CStringList escaped;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        escaped.AddTail(EscapeChar(list.GetNext(position), separator, escape));
    }
    return JoinStringList(escaped, separator);
}

CString JoinTwoTexts(LPCSTR first, LPCSTR second, char separator) {
    if (first == nullptr || second == nullptr) {
        return CString();
    }
    return CString(first) + separator + second;
}

CString IntListToText(const CIntList& list) {
    CStringList texts;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        CString text;
        text.Format("%d", list.GetNext(position));
        texts.AddTail(text);
    }
    return JoinStringList(texts, '|');
}

MultiString ListToMultiString(const CStringList& list) {
    MultiString out;
    for (POSITION position = list.GetHeadPosition(); position != nullptr;) {
        AppendText(out, list.GetNext(position));
    }
    out.push_back('\0');
    return out;
}

MultiString ArrayToMultiString(const CStringArray& array) {
    MultiString out;
    for (INT_PTR i = 0; i < array.GetSize(); ++i) {
        AppendText(out, array[i]);
    }
    out.push_back('\0');
    return out;
}

MultiString ListsToMultiString(const CStringListPtrList& lists) {
    MultiString out;
    for (POSITION position = lists.GetHeadPosition(); position != nullptr;) {
        if (const CStringList* list = lists.GetNext(position)) {
            for (POSITION item = list->GetHeadPosition(); item != nullptr;) {
                AppendText(out, list->GetNext(item));
            }
        }
        out.push_back('\0');
    }
    out.push_back('\0');
    return out;
}

MultiString MapToMultiString(const CMapStringToString& map, char separator) {
    MultiString out;
    for (POSITION position = map.GetStartPosition(); position != nullptr;) {
        CString key;
        CString value;
        map.GetNextAssoc(position, key, value);
        AppendText(out, key + separator + value);
    }
    out.push_back('\0');
    return out;
}

CString MapToConcatenatedText(const CMapStringToString& map) {
    CString text;
    for (POSITION position = map.GetStartPosition(); position != nullptr;) {
        CString key;
        CString value;
        map.GetNextAssoc(position, key, value);
        text += key + value;
    }
    return text;
}

CString BuildFileFilter(const CStringList& names, const CStringListMap& extensions) {
    CString filter = "All Files (*.*)|*.*|";
    for (POSITION position = names.GetHeadPosition(); position != nullptr;) {
        const CString& name = names.GetNext(position);
        CStringList* list = nullptr;
        if (!extensions.Lookup(name, list) || list == nullptr) {
            continue;
        }
        CStringList patterns;
        for (POSITION item = list->GetHeadPosition(); item != nullptr;) {
            patterns.AddTail("*." + MakeLowerCopy(list->GetNext(item)));
        }
        filter += name + " (" + JoinStringListWithText(patterns, "; ") + ")|" + JoinStringList(patterns, ';') + "|";
    }
    return filter + "|";
}
