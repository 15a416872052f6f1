// The plug-in's application object: the class library's application over the
// component table, and the module folder through which every data file beside
// the plug-in is found.
#pragma once

#include "plugin/component_manager.h"

#include <mutex>
#include <string>

class CTargetApp : public CComponentApp {
public:
    // The name under which the application reports its own module.
    static constexpr const char* kModuleFileName = "Q3vVk3.dll";

    CTargetApp();

    BOOL InitInstance() override;
    // The plug-in's folder: drive and directory with a trailing backslash.
    // Found on the first call and kept until the module unloads, so the text
    // a caller holds stays valid whichever thread asks next.
    virtual const std::string& GetModuleDirectory();

private:
    std::once_flag m_moduleDirectoryFound;
    std::string m_moduleDirectory;
};

CTargetApp& GetTargetApp();

// The plug-in's folder, as the application object answers it.
const std::string& GetModuleDirectory();
