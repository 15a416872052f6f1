// The host's main window, found by its window class, over which the
// start-up dialogs centre themselves.
#pragma once

#include "platform/afx.h"

// Centres the window on the host's main window ("KTR2"); leaves it where
// its template puts it when there is none.
void CenterOnHostWindow(CWnd& window);
