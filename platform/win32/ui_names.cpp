// Every function of the lists in platform/win32_ui_functions.h is led to the
// layer's by platform/win32_redirects.h: a name the lists gained without its
// redirection would call the system's function past the window system in use.
#include "platform/wintypes.h"

#include <string_view>

#define Q3V_NAME_TEXT(name) Q3V_NAME_TEXT_OF(name)
#define Q3V_NAME_TEXT_OF(name) #name
#define Q3V_CHECK_REDIRECTED(result, name, parameters, arguments)                               \
    static_assert(std::string_view(Q3V_NAME_TEXT(name)) == std::string_view("Platform" #name), \
                  #name " is not led to Platform" #name " by platform/win32_redirects.h");
Q3V_SYSTEM_PASS_FUNCTIONS(Q3V_CHECK_REDIRECTED)
Q3V_SYSTEM_OWN_FUNCTIONS(Q3V_CHECK_REDIRECTED)
