// The echo of a break-condition change: the console command line that would
// make the same change, posted to the host's output window through a
// short-lived output wrapper. Without a usable output window the line is
// dropped and the change goes on.
#pragma once

#include <string>

void EchoBreakConditionLine(const std::string& line);
