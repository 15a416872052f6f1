#include "link/emu_response.h"

CEmuResponse* g_emuResponse = nullptr;
