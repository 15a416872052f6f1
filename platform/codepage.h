// ANSI code page and conversions between ANSI and wide (UTF-16) text.
//
// Texts inside the plug-in are ANSI bytes in the system's code page; BSTRs at
// the host boundary are UTF-16. The layer keeps a settable ANSI code page: on
// Linux the single-byte default (1252), in the Windows build the system's
// (GetACP), and a double-byte one (932) so that code that must
// step over whole multibyte characters can be tested with real lead and trail
// bytes (a trail byte may equal '\\' or '|').
#pragma once

#include "platform/wintypes.h"

#include <string>
#include <string_view>

#ifndef _WIN32

#define CP_ACP 0
#define CP_THREAD_ACP 3
#define CP_UTF8 65001

#define MB_PRECOMPOSED 0x00000001
#define MB_COMPOSITE 0x00000002
#define MB_USEGLYPHCHARS 0x00000004
#define MB_ERR_INVALID_CHARS 0x00000008
#define WC_DISCARDNS 0x00000010
#define WC_SEPCHARS 0x00000020
#define WC_DEFAULTCHAR 0x00000040
#define WC_ERR_INVALID_CHARS 0x00000080
#define WC_COMPOSITECHECK 0x00000200
#define WC_NO_BEST_FIT_CHARS 0x00000400

#define ERROR_INVALID_FLAGS 1004L
#define ERROR_NO_UNICODE_TRANSLATION 1113L

// Conversions as on Windows: a source length of -1 (or any other negative
// length) includes the terminating NUL; a destination size of 0 asks for the
// needed size; too small a destination fails with ERROR_INSUFFICIENT_BUFFER
// and returns 0. CP_ACP and CP_THREAD_ACP stand for the layer's ANSI code
// page; 1252, 932 and CP_UTF8 are offered, any other code page fails with
// ERROR_INVALID_PARAMETER.
//
// MultiByteToWideChar: MB_ERR_INVALID_CHARS turns an invalid byte sequence
// into a failure with ERROR_NO_UNICODE_TRANSLATION; without it the sequence
// becomes U+30FB (932) or U+FFFD (UTF-8). MB_PRECOMPOSED and MB_USEGLYPHCHARS
// change nothing here; MB_COMPOSITE (decomposing characters) is not offered
// and fails with ERROR_INVALID_FLAGS, as any flag does with UTF-8.
//
// WideCharToMultiByte: a character the code page cannot hold becomes its
// best fit (a look-alike, unless WC_NO_BEST_FIT_CHARS), else the default
// character ("?" unless given; two bytes in 932 when given two), which sets
// *usedDefaultChar. WC_DISCARDNS, WC_SEPCHARS and WC_DEFAULTCHAR change
// nothing without WC_COMPOSITECHECK, which is not offered. UTF-8 takes only
// WC_ERR_INVALID_CHARS (a lone surrogate then fails with
// ERROR_NO_UNICODE_TRANSLATION instead of becoming U+FFFD) and no default
// character.
int MultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceLength, LPWSTR destination,
                        int destinationSize);
int WideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceLength, LPSTR destination,
                        int destinationSize, LPCSTR defaultChar, BOOL* usedDefaultChar);
BOOL IsDBCSLeadByte(BYTE byte);
UINT GetACP();

#else

// The system's conversions, with CP_ACP and CP_THREAD_ACP standing for the
// layer's code page rather than the system's.
int PlatformMultiByteToWideChar(UINT codePage, DWORD flags, LPCSTR source, int sourceLength, LPWSTR destination,
                                int destinationSize);
int PlatformWideCharToMultiByte(UINT codePage, DWORD flags, LPCWSTR source, int sourceLength, LPSTR destination,
                                int destinationSize, LPCSTR defaultChar, BOOL* usedDefaultChar);
BOOL PlatformIsDBCSLeadByte(BYTE byte);
UINT PlatformGetACP();
#define MultiByteToWideChar PlatformMultiByteToWideChar
#define WideCharToMultiByte PlatformWideCharToMultiByte
#define IsDBCSLeadByte PlatformIsDBCSLeadByte
#define GetACP PlatformGetACP

#endif

namespace platform {

// Sets the ANSI code page that CP_ACP stands for in this process (1252 or
// 932).
// Returns false for a code page the layer does not offer.
bool SetAnsiCodePage(UINT codePage);
UINT AnsiCodePage();

// Convenience conversions through the current ANSI code page.
std::u16string AnsiToWide(std::string_view text);
std::string WideToAnsi(std::u16string_view text);

}  // namespace platform
