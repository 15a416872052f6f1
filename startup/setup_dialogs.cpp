// Until the dialog classes of the headless user interface are available, the
// prompts answer as a person pressing Cancel would.
#include "startup/setup_dialogs.h"

bool PromptIdCodeDialog(std::array<DWORD, 2>&) {
    return false;
}

bool PromptPowerSupplyDialog(PowerSupplySettings&) {
    return false;
}
