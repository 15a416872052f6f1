#include "util/ui_text_helpers.h"

#include "platform/crt.h"
#include "util/mbcs.h"
#include "util/path_split.h"
#include "util/string_join.h"
#include "util/string_text.h"

#include <cstring>
#include <string>

namespace {

constexpr char kMarker[] = "\x07";

bool IsSeparator(char c, DWORD flags) {
    return ((flags & kSplitAtBlank) != 0 && c == ' ') || ((flags & kSplitAtComma) != 0 && c == ',') ||
           ((flags & kSplitAtZero) != 0 && c == '\0');
}

bool Empty(LPCSTR text) {
    return text == nullptr || *text == '\0';
}

// Replaces each occurrence of find (searching from the start after every
// replacement) by replacement. The caller guarantees it ends: replacement
// cannot make find occur again.
void ReplaceEach(CString& text, LPCSTR find, LPCSTR replacement) {
    const int length = static_cast<int>(std::strlen(find));
    for (int at = FindTextFrom(text, find, 0); at >= 0; at = FindTextFrom(text, find, 0)) {
        text = text.Left(at) + replacement + text.Mid(at + length);
    }
}

// The text cut to at most count bytes, on a character boundary.
CString CutTo(const char* text, std::size_t count) {
    const std::size_t length = std::strlen(text);
    if (length <= count) {
        return CString(text);
    }
    return CString(text, static_cast<int>(mbcs::BoundaryAtOrBefore(text, count)));
}

}  // namespace

BOOL SplitTextByFlags(const char* buffer, int length, CStringList* list, DWORD flags, BOOL clear) {
    if (list == nullptr || (flags & (kSplitAtBlank | kSplitAtComma | kSplitAtZero)) == 0) {
        return FALSE;
    }
    if (clear) {
        list->RemoveAll();
    }
    try {
        std::string token;
        for (int i = 0; buffer != nullptr && i < length; ++i) {
            const char c = buffer[i];
            if (!IsSeparator(c, flags)) {
                token += c;
                if (i == length - 1 && !token.empty()) {
                    list->AddTail(CString(token));
                }
                continue;
            }
            list->AddTail(CString(token));
            token.clear();
            if (i + 1 < length && IsSeparator(buffer[i + 1], flags)) {
                break;  // two separators in a row end the list
            }
        }
    } catch (CMemoryException* failure) {
        failure->Delete();
    }
    return list->IsEmpty() ? FALSE : TRUE;
}

BOOL JoinTextByFlags(CString* text, const CStringList& list, DWORD flags) {
    if (text == nullptr || (flags & (kSplitAtBlank | kSplitAtComma | kSplitAtZero)) == 0) {
        return FALSE;
    }
    const char separator = (flags & kSplitAtBlank) != 0 ? ' ' : (flags & kSplitAtComma) != 0 ? ',' : '\0';
    try {
        for (POSITION at = list.GetHeadPosition(); at != nullptr;) {
            const CString& item = list.GetNext(at);
            if (text->IsEmpty()) {
                *text = item;
            } else {
                *text += CString(separator, 1);
                *text += item;
            }
        }
    } catch (CMemoryException* failure) {
        failure->Delete();
    }
    return list.IsEmpty() ? FALSE : TRUE;
}

CString JoinPair(LPCSTR first, LPCSTR second, char separator) {
    return JoinTwoTexts(first, second, separator);
}

CString JoinPipePair(LPCSTR first, LPCSTR second) {
    return JoinPair(first, second, '|');
}

CString JoinEqualsPair(LPCSTR first, LPCSTR second) {
    return JoinPair(first, second, '=');
}

CString GetPairKey(LPCSTR text, char separator) {
    // A text that ends with the separator has no pair at all.
    if (Empty(text) || *LastCharPointer(text) == separator) {
        return CString();
    }
    return TextBeforeLast(text, separator);
}

CString GetPipePairKey(LPCSTR text) {
    return GetPairKey(text, '|');
}

CString GetEqualsPairKey(LPCSTR text) {
    return GetPairKey(text, '=');
}

CString GetPairValue(LPCSTR text, char separator) {
    return TextAfterLast(text, separator);
}

CString GetPipePairValue(LPCSTR text) {
    return GetPairValue(text, '|');
}

CString GetEqualsPairValue(LPCSTR text) {
    return GetPairValue(text, '=');
}

int FindTextFrom(LPCSTR text, LPCSTR part, int start) {
    if (Empty(text) || Empty(part) || start < 0) {
        return -1;
    }
    const auto length = static_cast<int>(std::strlen(text));
    if (start >= length) {
        return -1;
    }
    // A start inside a double-byte character begins at the next one.
    auto from = static_cast<int>(mbcs::BoundaryAtOrBefore(text, static_cast<std::size_t>(start)));
    if (from < start) {
        from = static_cast<int>(mbcs::Next(text + from) - text);
    }
    return mbcs::FindText(text, part, from);
}

void CollectPlaceholderTokens(LPCSTR text, CStringList& tokens) {
    for (int start = 0;;) {
        const int open = FindTextFrom(text, "$(", start);
        if (open < 0) {
            return;
        }
        const int close = FindTextFrom(text, ")", start);
        if (close < 0 || close <= open) {
            return;
        }
        if (open == 0 || text[open - 1] != '$') {  // "$$(" is no placeholder
            tokens.AddTail(CString(text + open, close - open + 1));
        }
        start = close + 1;
    }
}

void ReplaceWords(CString& text, const CStringList& words, LPCSTR replacement) {
    if (Empty(replacement) || FindTextFrom(text, kMarker, 0) >= 0 || FindTextFrom(replacement, kMarker, 0) >= 0) {
        return;  // a marker already present would take the replacement's place
    }
    for (POSITION at = words.GetHeadPosition(); at != nullptr;) {
        if (FindTextFrom(words.GetNext(at), kMarker, 0) >= 0) {
            return;
        }
    }
    // Occurrences become markers first, so later words never see what an
    // earlier word's replacement brought in.
    for (POSITION at = words.GetHeadPosition(); at != nullptr;) {
        const CString& word = words.GetNext(at);
        if (!word.IsEmpty()) {
            ReplaceEach(text, word, kMarker);
        }
    }
    ReplaceEach(text, kMarker, replacement);
}

CString GetFileExtension(LPCSTR text) {
    return TextAfterLast(text, '.');
}

CString GetPathLeafFromText(LPCSTR text) {
    return Empty(text) ? CString() : GetPathLeaf(text);
}

CString GetPathFolderFromText(LPCSTR text) {
    return Empty(text) ? CString() : GetPathFolder(text);
}

CString BuildFilePath(LPCSTR folder, LPCSTR name, LPCSTR extension) {
    const CString folderText = folder != nullptr ? folder : "";
    const CString nameText = name != nullptr ? name : "";
    CString path = folderText;
    if (!folderText.IsEmpty() && !nameText.IsEmpty() && *LastCharPointer(folderText) != '\\') {
        path += "\\";
    }
    path += nameText;
    if (extension != nullptr && !nameText.IsEmpty()) {
        path += extension;
    }
    return path;
}

void SplitPathToTexts(LPCSTR path, CString* drive, CString* folder, CString* name, CString* extension) {
    // The parts _splitpath gives, found here so that a part too long for the
    // run time's buffers is cut to its size rather than lost.
    const char* p = path != nullptr ? path : "";
    const char* end = p + std::strlen(p);
    const char* driveEnd = end - p >= 2 && mbcs::CharBytes(p) == 1 && p[1] == ':' ? p + 2 : p;
    const char* folderEnd = driveEnd;
    for (const char* c = driveEnd; *c != '\0'; c = mbcs::Next(c)) {
        if (*c == '\\' || *c == '/') {
            folderEnd = c + 1;
        }
    }
    const char* dot = end;
    for (const char* c = folderEnd; *c != '\0'; c = mbcs::Next(c)) {
        if (*c == '.') {
            dot = c;
        }
    }
    const std::string parts[4] = {std::string(p, driveEnd), std::string(driveEnd, folderEnd),
                                  std::string(folderEnd, dot), std::string(dot, end)};
    const std::size_t limits[4] = {_MAX_DRIVE - 1, _MAX_DIR - 1, _MAX_FNAME - 1, _MAX_EXT - 1};
    CString* outputs[4] = {drive, folder, name, extension};
    for (int i = 0; i < 4; ++i) {
        if (outputs[i] != nullptr) {
            *outputs[i] = CutTo(parts[i].c_str(), limits[i]);
        }
    }
}
