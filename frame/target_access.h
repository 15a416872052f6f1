// What the layers below the target subsystem ask of the plug-in's single
// target object (target/target_vk3.h), which lies above them: its host, its
// configuration handler's denormal flag, the driver name it keeps and its
// memory handler's download word. Defined with the target object and its
// memory handler.
#pragma once

#include "platform/host/interfaces.h"
#include "platform/wintypes.h"

// The host's service provider (null while no host is attached).
IHostServiceProvider* GetTargetHost();

// The configuration handler's denormal flag (0 while there is no handler).
WORD GetTargetDenormalFlag();

// Keeps the selected emulator driver's name in the target object.
void SetTargetDriverName(const char* name);

// 1 while the host downloads a program (the memory handler's download word
// is set); the run control refuses to run then, and the firmware command
// layer's writes follow the stricter rules of that time.
bool IsTargetBusy();
