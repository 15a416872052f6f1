// The plug-in's application object: the class library's application over the
// component table. The module folder is config/module_folder.h.
#pragma once

#include "plugin/component_manager.h"

class CTargetApp : public CComponentApp {
public:
    CTargetApp();

    BOOL InitInstance() override;
};

CTargetApp& GetTargetApp();
