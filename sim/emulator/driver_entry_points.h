/* The 27 emulator driver entry points as the simulated emulator module
 * exports them: their C prototypes (as function-pointer types for callers
 * that bind them with GetProcAddress) and their names in table order.
 *
 * For the module's own tests and tools; the plug-in binds the same names and
 * widths from its own declarations.
 */
#ifndef Q3V_SIM_DRIVER_ENTRY_POINTS_H
#define Q3V_SIM_DRIVER_ENTRY_POINTS_H

#include "platform/wintypes.h"

#ifdef __cplusplus
extern "C" {
#endif

typedef const char*(WINAPI* ULE_IdentifyFn)(void);
typedef DWORD(WINAPI* ULE_InitialiseFn)(const char* interfaceName, const char* const** channels);
typedef DWORD(WINAPI* ULE_SelectFn)(DWORD index);
typedef DWORD(WINAPI* ULE_TerminateFn)(void);
typedef DWORD(WINAPI* ULE_TestConfigurationFn)(void);
typedef const char*(WINAPI* ULE_ConfigurationDialogFn)(DWORD reserved, const char* iniFileName);
typedef const char*(WINAPI* ULE_GetConfigurationFn)(void);
typedef DWORD(WINAPI* ULE_SetDriverConfigurationFn)(const char* configuration);
typedef DWORD(WINAPI* ULE_SetControllerConfigurationFn)(const char* configuration);
typedef DWORD(WINAPI* ULE_WriteMemoryFn)(WORD channel, BYTE* buffer, DWORD address, BYTE count);
typedef DWORD(WINAPI* ULE_ReadMemoryFn)(WORD channel, BYTE* buffer, DWORD address, BYTE count);
typedef DWORD(WINAPI* X_PDI_TXFn)(WORD count, BYTE* buffer, WORD reserved, BYTE flag);
typedef DWORD(WINAPI* H_SCI_RXFn)(WORD reserved, BYTE* buffer, WORD reserved2, BYTE flag);
typedef DWORD(WINAPI* AUD_TraceReadFn)(DWORD first, DWORD second, WORD third, BYTE fourth);
typedef DWORD(WINAPI* ULE_PollFn)(void);
typedef const char*(WINAPI* ULE_DLLErrorFn)(DWORD code);
typedef DWORD(WINAPI* LibraryTypeFn)(const char** text);
typedef DWORD(WINAPI* LibraryNameFn)(const char** text);
typedef DWORD(WINAPI* LibraryVersionFn)(const char** text);
typedef DWORD(WINAPI* Set_TimeoutFn)(DWORD value);
typedef DWORD(WINAPI* Q5t_WriteMemoryFn)(WORD channel, BYTE* buffer, DWORD address, BYTE count, BYTE flag);
typedef DWORD(WINAPI* Q5t_ReadMemoryFn)(WORD channel, BYTE* buffer, DWORD address, BYTE count);
typedef DWORD(WINAPI* SumCheckFn)(DWORD reserved);
typedef DWORD(WINAPI* MonpOpenFn)(DWORD reserved);
typedef DWORD(WINAPI* ProgDownloadFn)(WORD length, DWORD startAddress, WORD sum);
typedef DWORD(WINAPI* PreEraseWrite_EraseFn)(BYTE mode, DWORD reserved);
typedef DWORD(WINAPI* AdapterProgramDownloadFn)(DWORD address, DWORD stagingAddress, WORD sum);

#ifdef __cplusplus
}

inline constexpr const char* kDriverEntryPointNames[27] = {
    "ULE_Identify",        "ULE_Initialise",  "ULE_Select",          "ULE_Terminate",
    "ULE_TestConfiguration", "ULE_ConfigurationDialog", "ULE_GetConfiguration", "ULE_SetDriverConfiguration",
    "ULE_SetControllerConfiguration", "ULE_WriteMemory", "ULE_ReadMemory", "X_PDI_TX",
    "H_SCI_RX",            "AUD_TraceRead",   "ULE_Poll",            "ULE_DLLError",
    "LibraryType",         "LibraryName",     "LibraryVersion",      "Set_Timeout",
    "Q5t_WriteMemory",     "Q5t_ReadMemory",  "SumCheck",            "MonpOpen",
    "ProgDownload",        "PreEraseWrite_Erase", "AdapterProgramDownload"};
#endif

#endif
