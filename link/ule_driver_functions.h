// The emulator driver module's 27 entry points as the plug-in calls them:
// C linkage, the WINAPI calling convention and the argument widths of the
// driver interface. A text is a NUL-terminated ANSI string owned by the
// driver; a buffer is the caller's memory.
#pragma once

#include "platform/wintypes.h"

extern "C" {
typedef const char*(WINAPI* UleIdentifyFn)(void);
// The channel list handed out is the driver's null-terminated array of
// channel names.
typedef DWORD(WINAPI* UleInitialiseFn)(const char* interfaceName, const char* const** channelList);
typedef DWORD(WINAPI* UleSelectFn)(DWORD index);
typedef DWORD(WINAPI* UleTerminateFn)(void);
typedef DWORD(WINAPI* UleTestConfigurationFn)(void);
typedef const char*(WINAPI* UleConfigurationDialogFn)(DWORD value, const char* iniFileName);
typedef const char*(WINAPI* UleGetConfigurationFn)(void);
typedef DWORD(WINAPI* UleSetDriverConfigurationFn)(const char* configuration);
typedef DWORD(WINAPI* UleSetControllerConfigurationFn)(const char* configuration);
typedef DWORD(WINAPI* UleWriteMemoryFn)(WORD channel, BYTE* buffer, DWORD address, BYTE count);
typedef DWORD(WINAPI* UleReadMemoryFn)(WORD channel, BYTE* buffer, DWORD address, BYTE count);
typedef DWORD(WINAPI* XPdiTxFn)(WORD count, BYTE* buffer, WORD reserved, BYTE flag);
typedef DWORD(WINAPI* HSciRxFn)(WORD reserved, BYTE* buffer, WORD reserved2, BYTE flag);
typedef DWORD(WINAPI* AudTraceReadFn)(DWORD first, DWORD second, WORD third, BYTE fourth);
typedef DWORD(WINAPI* UlePollFn)(void);
typedef const char*(WINAPI* UleDllErrorFn)(DWORD code);
typedef DWORD(WINAPI* LibraryTextFn)(const char** text);
typedef DWORD(WINAPI* SetTimeoutFn)(DWORD value);
typedef DWORD(WINAPI* Q5tWriteMemoryFn)(WORD channel, BYTE* buffer, DWORD address, BYTE count, BYTE flag);
typedef DWORD(WINAPI* Q5tReadMemoryFn)(WORD channel, BYTE* buffer, DWORD address, BYTE count);
typedef DWORD(WINAPI* SumCheckFn)(DWORD value);
typedef DWORD(WINAPI* MonpOpenFn)(DWORD value);
typedef DWORD(WINAPI* ProgDownloadFn)(WORD length, DWORD startAddress, WORD sum);
typedef DWORD(WINAPI* PreEraseWriteEraseFn)(BYTE mode, DWORD value);
typedef DWORD(WINAPI* AdapterProgramDownloadFn)(DWORD address, DWORD stagingAddress, WORD sum);
}
