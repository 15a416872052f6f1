// Finding placeholders in texts. Every scan steps over whole multibyte
// characters. "$$(" is never a placeholder: a '$' before "$(" keeps it as
// typed, both '$' included.
#pragma once

#include "platform/afx.h"
#include "util/custom_placeholder.h"

// The first placeholder at or after start (a byte offset): the text before
// its "$(", the name up to the first ')' after it, and the text after that.
// 0 when one was found, 1 when none (a text shorter than 4 characters, no
// "$(" that is not preceded by '$', fewer than 4 characters from it on, or no
// ')' after it).
int SplitAtPlaceholder(LPCSTR text, CString& before, CString& name, CString& after, int start = 0);
// 1 when every placeholder of the text is a keyword of the allowed list (a
// list of indexes ended by 0) or a custom placeholder of either map, else 0.
int CheckPlaceholderNames(LPCSTR text, const int* allowed, const CCustomPlaceholderMap& first,
                          const CCustomPlaceholderMap& second);

// Replaces every "$(" long name ")" and "$(" short code ")" of one keyword
// (not preceded by '$') by the replacement. Each search starts again at the
// beginning, unless the replacement itself holds such a token: then it goes on
// after the inserted text.
CString ReplaceKeyword(LPCSTR text, LPCSTR replacement, int index);
// Whether the text holds a token of the keyword (not preceded by '$'), or of
// any keyword of a list of indexes ended by 0.
BOOL ContainsKeyword(LPCSTR text, int index);
BOOL ContainsAnyKeyword(LPCSTR text, const int* indexes);
// The file keywords (1 to 5), workspace (8 to 13), project (10 to 13) and
// configuration (12 and 13) ones.
BOOL UsesFileKeywords(LPCSTR text);
BOOL UsesWorkspaceKeywords(LPCSTR text);
BOOL UsesProjectKeywords(LPCSTR text);
BOOL UsesConfigKeywords(LPCSTR text);
