// The stop-cause texts of the stop report. Indexes 1 to 15 are the bit mask
// of break conditions 1 to 4.
#include "monitor/run_state_monitor.h"

#include <array>

namespace {

constexpr std::array<std::string_view, kStopCauseCount> kStopCauseTexts{
    " +++:NO EXECUTION\r\n",
    " +++:BREAK CONDITION 1\r\n",
    " +++:BREAK CONDITION 2\r\n",
    " +++:BREAK CONDITION 1,2\r\n",
    " +++:BREAK CONDITION 3\r\n",
    " +++:BREAK CONDITION 1,3\r\n",
    " +++:BREAK CONDITION 2,3\r\n",
    " +++:BREAK CONDITION 1,2,3\r\n",
    " +++:BREAK CONDITION 4\r\n",
    " +++:BREAK CONDITION 1,4\r\n",
    " +++:BREAK CONDITION 2,4\r\n",
    " +++:BREAK CONDITION 1,2,4\r\n",
    " +++:BREAK CONDITION 3,4\r\n",
    " +++:BREAK CONDITION 1,3,4\r\n",
    " +++:BREAK CONDITION 2,3,4\r\n",
    " +++:BREAK CONDITION 1,2,3,4\r\n",
    " +++:BREAK CONDITION 5\r\n",
    " +++:BREAK CONDITION 6\r\n",
    " +++:BREAK CONDITION 7\r\n",
    " +++:BREAK CONDITION 8\r\n",
    " +++:ERROR\r\n",
    " +++:BREAK CONDITION S1\r\n",
    " +++:BREAK CONDITION S2\r\n",
    " +++:BREAK CONDITION S3\r\n",
    " +++:STEP NORMAL END\r\n",
    " +++:STOP ADDRESS\r\n",
    " +++:BREAK POINT\r\n",
    " +++:BREAK KEY\r\n",
    " +++:ILLEGAL INSTRUCTION\r\n",
    " +++:TRIGGER BREAK\r\n",
    " +++:ONE STEP END\r\n",
    " +++:SUBROUTINE END\r\n",
    " +++:SDI BOOT BREAK\r\n",
    " +++:TRACE BREAK\r\n",
    " +++:TARGET RESET\r\n",
};

}  // namespace

std::string_view StopCauseText(int index) {
    if (index < 0 || index >= kStopCauseCount) {
        return {};
    }
    return kStopCauseTexts[static_cast<std::size_t>(index)];
}
