// The test stand-in for the HTML Help control (its entry at ordinal 14
// records the call with the UI driver), registered under the control's class
// id for a scope. Hold testing_support::RegistryLock meanwhile: under Wine
// the registry is shared by the test programs.
#pragma once

#include "platform/registry.h"
#include "tests/support/temp_folder.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace testing_support {

inline constexpr const char* kHtmlHelpControlKeys[] = {
    "CLSID",
    "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}",
    "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32",
};

inline std::string HtmlHelpTestControl() {
    return ProgramFolder() + "HtmlHelpTestControl.dll";
}

// Registers a value as the control's file for the scope, and puts back what
// was registered before (the system's own control under Wine), removing the
// keys it made. (A key that was there without a value keeps the test's.)
class HtmlHelpControlRegistration {
public:
    explicit HtmlHelpControlRegistration(const std::string& text) : HtmlHelpControlRegistration(REG_SZ, Bytes(text)) {}
    HtmlHelpControlRegistration(DWORD type, const std::vector<BYTE>& bytes) {
        for (const char* path : kHtmlHelpControlKeys) {
            HKEY key = nullptr;
            DWORD disposition = 0;
            EXPECT_EQ(RegCreateKeyExA(HKEY_CLASSES_ROOT, path, 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS,
                                      nullptr, &key, &disposition),
                      ERROR_SUCCESS);
            if (disposition == REG_CREATED_NEW_KEY) {
                created_.insert(created_.begin(), path);
            }
            RegCloseKey(key_);
            key_ = key;
        }
        DWORD size = 0;
        if (RegQueryValueExA(key_, nullptr, nullptr, &previousType_, nullptr, &size) == ERROR_SUCCESS) {
            previous_.resize(size);
            hadValue_ = RegQueryValueExA(key_, nullptr, nullptr, &previousType_, previous_.data(), &size) ==
                        ERROR_SUCCESS;
        }
        EXPECT_EQ(RegSetValueExA(key_, nullptr, 0, type, bytes.data(), static_cast<DWORD>(bytes.size())),
                  ERROR_SUCCESS);
    }
    ~HtmlHelpControlRegistration() {
        if (hadValue_) {
            RegSetValueExA(key_, nullptr, 0, previousType_, previous_.data(), static_cast<DWORD>(previous_.size()));
        }
        RegCloseKey(key_);
        for (const char* path : created_) {
            RegDeleteKeyA(HKEY_CLASSES_ROOT, path);
        }
    }
    HtmlHelpControlRegistration(const HtmlHelpControlRegistration&) = delete;
    HtmlHelpControlRegistration& operator=(const HtmlHelpControlRegistration&) = delete;

    static std::vector<BYTE> Bytes(const std::string& text) {
        return std::vector<BYTE>(text.c_str(), text.c_str() + text.size() + 1);
    }

private:
    HKEY key_ = nullptr;
    std::vector<const char*> created_;  // deepest first
    bool hadValue_ = false;
    DWORD previousType_ = REG_NONE;
    std::vector<BYTE> previous_;
};

}  // namespace testing_support
