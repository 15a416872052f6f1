#include "events/break_condition_echo.h"

#include "hostui/host_output_wrapper.h"
#include "target/target_vk3.h"

void EchoBreakConditionLine(const std::string& line) {
    CTargetVk3* target = GetTarget();
    if (target == nullptr) {
        return;
    }
    CHostOutputWrapper output(target->GetHost());
    if (output.IsValid()) {
        static_cast<void>(output.PostText(line.c_str()));  // a refused line is not repeated
    }
}
