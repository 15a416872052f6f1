// The host services the target calls around a session: the rounding setting
// of the host's floating-point display, the name text a session save passes
// on, and the two services that give a new session's device description
// (the build settings' three texts, and the description made from them).
#pragma once

#include "platform/host/interfaces.h"

struct IHRoundingSettings : IUnknown {
    // 3: the host's rounding of floating-point values, as a pair whose
    // meaning is the host's.
    HOST_METHOD(SetRounding)(DWORD first, DWORD second) = 0;
};

struct IHSessionNameText : IUnknown {
    // 3: the name text of the session being saved.
    HOST_METHOD(GetNameText)(BSTR* name) = 0;
};

struct IHBuildSettings : IUnknown {
    // 3 to 5: the three texts of the current build settings, each a new BSTR.
    HOST_METHOD(GetFirstText)(BSTR* text) = 0;
    HOST_METHOD(GetSecondText)(BSTR* text) = 0;
    HOST_METHOD(GetThirdText)(BSTR* text) = 0;
};

struct IHDeviceDescription : IUnknown {
    // 3: the device description that belongs to the three build-settings
    // texts, as a new BSTR.
    HOST_METHOD(GetDescription)(BSTR first, BSTR second, BSTR third, BSTR* description) = 0;
};
