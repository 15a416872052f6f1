// Texts the host's data manager keeps for the plug-in, scoped by the names
// of the host's session (its workspace, project and configuration, as the
// session information gives them). Both services are asked of the host for
// each call; without a host or either service nothing is read or stored.
#pragma once

#include "platform/afx.h"
#include "platform/host/interfaces.h"

// TRUE with the text when the data manager answers exactly S_OK.
[[nodiscard]] BOOL ReadHostSessionText(IHostServiceProvider* host, LPCSTR key, CString& text);
// TRUE when the data manager answers exactly S_OK.
[[nodiscard]] BOOL StoreHostSessionText(IHostServiceProvider* host, LPCSTR key, LPCSTR text);
