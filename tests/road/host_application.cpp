// The road tests' program stands for the host: its application object's main
// window (the simulated host's frame) is the parent of the plug-in's windows.
#include "platform/afx_app.h"

namespace {

CWinApp theApp("Kestrune");

}  // namespace
