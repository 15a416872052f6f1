// The system's texts for its error codes.
#pragma once

#include "platform/wintypes.h"

#include <cstdarg>

#ifndef _WIN32

#define FORMAT_MESSAGE_IGNORE_INSERTS 0x00000200u
#define FORMAT_MESSAGE_FROM_SYSTEM 0x00001000u
#define ERROR_MR_MID_NOT_FOUND 317L

// FORMAT_MESSAGE_FROM_SYSTEM (inserts are never expanded): the text of a
// system error code, ending in CR LF, copied into buffer; its length, or 0
// with ERROR_MR_MID_NOT_FOUND for a code without a text and
// ERROR_INSUFFICIENT_BUFFER when it does not fit.
DWORD FormatMessageA(DWORD flags, LPCVOID source, DWORD messageId, DWORD languageId, LPSTR buffer, DWORD size,
                     va_list* arguments);

#endif
