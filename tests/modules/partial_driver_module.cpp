// A driver module for the binding tests: every driver entry point but one
// (ULE_Poll in one build, the optional AUD_TraceRead in the other). It
// answers a library type other than "Driver", so a scan for emulator drivers
// in the bin folder never lists it, and it counts its ULE_Terminate calls.
#include "platform/export.h"
#include "platform/wintypes.h"

namespace {

DWORD g_terminateCalls = 0;
const char* const kChannels[] = {"TESTCH0", nullptr};

}  // namespace

Q3V_EXPORT DWORD WINAPI TestDriverTerminateCalls(void) {
    return g_terminateCalls;
}

Q3V_EXPORT const char* WINAPI ULE_Identify(void) {
    return "TESTIF";
}
// Refuses every interface, so a test can see that a failed initialisation
// still gets its ULE_Terminate.
Q3V_EXPORT DWORD WINAPI ULE_Initialise(const char*, const char* const** channels) {
    *channels = kChannels;
    return 9;
}
Q3V_EXPORT DWORD WINAPI ULE_Select(DWORD) {
    return 0;
}
Q3V_EXPORT DWORD WINAPI ULE_Terminate(void) {
    ++g_terminateCalls;
    return 0;
}
Q3V_EXPORT DWORD WINAPI ULE_TestConfiguration(void) {
    return 0;
}
Q3V_EXPORT const char* WINAPI ULE_ConfigurationDialog(DWORD, const char*) {
    return "";
}
Q3V_EXPORT const char* WINAPI ULE_GetConfiguration(void) {
    return "";
}
Q3V_EXPORT DWORD WINAPI ULE_SetDriverConfiguration(const char*) {
    return 0;
}
Q3V_EXPORT DWORD WINAPI ULE_SetControllerConfiguration(const char*) {
    return 0;
}
Q3V_EXPORT DWORD WINAPI ULE_WriteMemory(WORD, BYTE*, DWORD, BYTE) {
    return 0;
}
Q3V_EXPORT DWORD WINAPI ULE_ReadMemory(WORD, BYTE*, DWORD, BYTE) {
    return 0;
}
Q3V_EXPORT DWORD WINAPI X_PDI_TX(WORD, BYTE*, WORD, BYTE) {
    return 0;
}
Q3V_EXPORT DWORD WINAPI H_SCI_RX(WORD, BYTE*, WORD, BYTE) {
    return 0;
}
#ifndef Q3V_PARTIAL_DRIVER_NO_TRACE
Q3V_EXPORT DWORD WINAPI AUD_TraceRead(DWORD, DWORD, WORD, BYTE) {
    return 0;
}
#endif
#ifndef Q3V_PARTIAL_DRIVER_NO_POLL
Q3V_EXPORT DWORD WINAPI ULE_Poll(void) {
    return 0;
}
#endif
Q3V_EXPORT const char* WINAPI ULE_DLLError(DWORD) {
    return "";
}
Q3V_EXPORT DWORD WINAPI LibraryType(const char** text) {
    *text = "TestProbe";
    return 0;
}
Q3V_EXPORT DWORD WINAPI LibraryName(const char** text) {
    *text = "Partial test driver";
    return 0;
}
Q3V_EXPORT DWORD WINAPI LibraryVersion(const char** text) {
    *text = "1.00";
    return 0;
}
Q3V_EXPORT DWORD WINAPI Set_Timeout(DWORD) {
    return 0;
}
Q3V_EXPORT DWORD WINAPI Q5t_WriteMemory(WORD, BYTE*, DWORD, BYTE, BYTE) {
    return 0;
}
Q3V_EXPORT DWORD WINAPI Q5t_ReadMemory(WORD, BYTE*, DWORD, BYTE) {
    return 0;
}
Q3V_EXPORT DWORD WINAPI SumCheck(DWORD) {
    return 0;
}
Q3V_EXPORT DWORD WINAPI MonpOpen(DWORD) {
    return 0;
}
Q3V_EXPORT DWORD WINAPI ProgDownload(WORD, DWORD, WORD) {
    return 0;
}
Q3V_EXPORT DWORD WINAPI PreEraseWrite_Erase(BYTE, DWORD) {
    return 0;
}
Q3V_EXPORT DWORD WINAPI AdapterProgramDownload(DWORD, DWORD, WORD) {
    return 0;
}
