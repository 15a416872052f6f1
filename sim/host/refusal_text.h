// What the console shows for a result the plug-in refused a call with.
#pragma once

#include "platform/wintypes.h"

#include <string>

namespace simhost {

class HostServiceProvider;

// The result and its text, as the host shows a refusal: the text the
// plug-in's error reporter gives for the code; for a system error or a
// general result the plug-in has no text for, the system's own
// ("E_INVALIDARG The parameter is incorrect.", "E_FAIL Unspecified error");
// the result alone when neither has one.
std::string RefusalText(HostServiceProvider& services, HRESULT result);
// A success by its name alone ("S_OK"), a failure as RefusalText.
std::string OutcomeText(HostServiceProvider& services, HRESULT result);

// The system's own text for one of its error codes, without the line break
// it ends with; empty when the system has none.
std::string SystemMessageText(DWORD code);

}  // namespace simhost
