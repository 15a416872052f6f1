// The test program's application object: the name message boxes carry and
// the help file WinHelp is given.
#include "platform/afx_app.h"

namespace {

CWinApp theApp("UI Tests");

}  // namespace
