#include "startup/start_stop_functions.h"

#include "link/flash_blocks.h"
#include "link/flash_mirror.h"
#include "res/resource_ids.h"
#include "config/device_data.h"
#include "startup/start_stop_dialog.h"
#include "config/session_settings.h"
#include "target/start_stop_hook.h"
#include "frame/number_text.h"

#include <array>
#include <atomic>

namespace {

constexpr char kStartSection[] = "START_FUNC";
constexpr char kStopSection[] = "STOP_FUNC";
constexpr char kEnableKey[] = "ENABLE";
constexpr char kSymbolKey[] = "SYMBOL";
constexpr DWORD kSymbolSize = 1024;
constexpr WORD kSymbolRadix = 16;
constexpr BYTE kCallOpcode = 0xFD;
constexpr BYTE kFiller = 0x04;
constexpr DWORD kVectorBytes = 4;
constexpr DWORD kNoVectorsProtocol = 4;
constexpr char kWarningCaption[] = "Warning";

// Every run and step writes the vectors first.
[[maybe_unused]] const bool g_installed = [] {
    SetStartStopFunctionsApplier([] { ApplyStartStopFunctions(); });
    return true;
}();

std::atomic<DWORD> g_startFuncEnable{0};
std::atomic<DWORD> g_stopFuncEnable{0};
std::atomic<DWORD> g_startFuncAddress{0};
std::atomic<DWORD> g_stopFuncAddress{0};

CString ReadSymbol(LPCSTR section) {
    char text[kSymbolSize] = "";
    SessionIniGetString(section, kSymbolKey, "", text, sizeof(text));
    return text;
}

BOOL Resolve(LPCSTR section, DWORD* address, std::atomic<DWORD>& kept) {
    const CString symbol = ReadSymbol(section);
    DWORD value = 0;
    if (!EvaluateAddressExpression(symbol, &value, kSymbolRadix)) {
        return FALSE;
    }
    kept = value;
    if (address != nullptr) {
        *address = value;
    }
    return TRUE;
}

// Marks the block that holds the address: the first of the table that does,
// else the firmware's block when it does. Only blocks that have flags.
void MarkBlockOf(DWORD address) {
    const DWORD count = std::min<DWORD>(g_flashBlocks.count, kFlashTableSize);
    for (DWORD block = 0; block < count; ++block) {
        if (g_flashBlocks.top[block] <= address && address <= g_flashBlocks.end[block]) {
            g_flashBlocks.dirty[block] = 1;
            return;
        }
    }
    const DWORD extra = g_deviceValues.firmBlockNo;
    if (extra >= kFlashTableSize) {
        return;
    }
    if (extra < count || (g_flashBlocks.top[extra] <= address && address <= g_flashBlocks.end[extra])) {
        g_flashBlocks.dirty[extra] = 1;
    }
}

void SwitchBothOff() {
    SetStartFuncEnable(0);
    SetStopFuncEnable(0);
}

// Whether every enabled function's symbol resolves.
bool EnabledSymbolsResolve(DWORD* start, DWORD* stop) {
    const bool startOk = GetStartFuncEnable() == 0 || ResolveStartFunc(start);
    const bool stopOk = GetStopFuncEnable() == 0 || ResolveStopFunc(stop);
    return startOk && stopOk;
}

}  // namespace

int GetStartFuncEnable() {
    return static_cast<int>(SessionIniGetInt(kStartSection, kEnableKey, 0));
}

int GetStopFuncEnable() {
    return static_cast<int>(SessionIniGetInt(kStopSection, kEnableKey, 0));
}

void SetStartFuncEnable(int value) {
    g_startFuncEnable = static_cast<DWORD>(value);
    SessionIniWriteInt(kStartSection, kEnableKey, value);
}

void SetStopFuncEnable(int value) {
    g_stopFuncEnable = static_cast<DWORD>(value);
    SessionIniWriteInt(kStopSection, kEnableKey, value);
}

CString GetStartFuncSymbol() {
    return ReadSymbol(kStartSection);
}

CString GetStopFuncSymbol() {
    return ReadSymbol(kStopSection);
}

void SetStartFuncSymbol(LPCSTR text) {
    SessionIniWriteString(kStartSection, kSymbolKey, text);
}

void SetStopFuncSymbol(LPCSTR text) {
    SessionIniWriteString(kStopSection, kSymbolKey, text);
}

BOOL ResolveStartFunc(DWORD* address) {
    return Resolve(kStartSection, address, g_startFuncAddress);
}

BOOL ResolveStopFunc(DWORD* address) {
    return Resolve(kStopSection, address, g_stopFuncAddress);
}

void WriteStartStopVector(DWORD vectorAddress, DWORD routine, bool enabled) {
    if (g_protocolType == kNoVectorsProtocol || !InFlashMirror(vectorAddress, kVectorBytes)) {
        return;
    }
    const std::array<BYTE, kVectorBytes> bytes =
        enabled ? std::array<BYTE, kVectorBytes>{kCallOpcode, static_cast<BYTE>(routine),
                                                 static_cast<BYTE>(routine >> 8), static_cast<BYTE>(routine >> 16)}
                : std::array<BYTE, kVectorBytes>{kFiller, kFiller, kFiller, kFiller};
    for (DWORD i = 0; i < kVectorBytes; ++i) {
        BYTE& mirrored = g_flashMirror[vectorAddress + i];
        if (mirrored != bytes[i]) {
            mirrored = bytes[i];
            MarkBlockOf(vectorAddress + i);
        }
    }
}

DWORD ApplyStartStopFunctions() {
    if (g_emuSel == connect_mode::kProgramFlash || g_deviceValues.supportStartStopFunc != 1) {
        return 1;
    }
    // The question and the dialog are the plug-in's, also on the go thread.
    AFX_MANAGE_STATE(AfxGetStaticModuleState());
    const DWORD top = g_deviceAreas[kAreaAse1].top;
    DWORD start = 0;
    DWORD stop = 0;
    while (!EnabledSymbolsResolve(&start, &stop)) {
        CString question;
        question.LoadString(res_id::kStartStopSymbolInvalid);
        if (::MessageBoxA(nullptr, question, kWarningCaption, MB_YESNO) != IDYES) {
            SwitchBothOff();
            return 1;
        }
        CStartStopFunctionDialog dialog;
        if (dialog.DoModal() != IDOK) {
            SwitchBothOff();
            return 1;
        }
    }
    WriteStartStopVector(top + g_deviceValues.startFuncVect, start, GetStartFuncEnable() != 0);
    WriteStartStopVector(top + g_deviceValues.stopFuncVect, stop, GetStopFuncEnable() != 0);
    return 1;
}
