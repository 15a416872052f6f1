// Handlers of the smallest kind, for the tests of the handler bases and of
// the target's handler order.
#pragma once

#include "frame/target_exec.h"
#include "frame/target_memory.h"

namespace testing_support {

inline constexpr UINT kStatusTexts[] = {51440, 51441, 51442};  // three texts of the plug-in's string table

class TestExec : public CTargetExec2 {
public:
    explicit TestExec(IHostServiceProvider* host) : CTargetExec2(kStatusTexts, 3, host) {}
    DWORD GetNotifyValue() override { return 0x1234; }
    BOOL StartTarget() override { return startResult; }
    HRESULT STDMETHODCALLTYPE Reset() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Go() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE StepInEx(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE StepOverEx(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE StepOutEx(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE StepIn() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE StepOver() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE StepOut() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Halt() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE ResetGo() override { return S_OK; }
    HRESULT STDMETHODCALLTYPE GoEx(VARIANT) override { return S_OK; }
    BOOL startResult = TRUE;
};

class TestMemory : public CTargetMemory {
public:
    TestMemory(const Capabilities& capabilities, DWORD eighth, IHostServiceProvider* host)
        : CTargetMemory(capabilities, eighth, host) {}
    HRESULT STDMETHODCALLTYPE ReadMemoryBlock(DWORD, DWORD, BYTE*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE WriteMemoryBlock(DWORD, DWORD, BYTE*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE CompareMemory(DWORD, DWORD, DWORD, DWORD, DWORD*, DWORD*, DWORD*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE CopyMemory(DWORD, DWORD, DWORD, WORD, DWORD, DWORD, DWORD, DWORD*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE FillMemory(DWORD, DWORD, DWORD, const BYTE*) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE SearchMemory(DWORD, DWORD, WORD, WORD, DWORD, const BYTE*, const BYTE*,
                                           DWORD*) override {
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE Notify21(DWORD, DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Notify22(DWORD, DWORD) override { return S_OK; }
    HRESULT STDMETHODCALLTYPE Notify23() override { return S_OK; }
};


}  // namespace testing_support
