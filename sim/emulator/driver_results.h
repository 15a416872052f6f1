// The texts ULE_DLLError gives for the driver's result codes.
#pragma once

#include <cstdint>

namespace simemu {

const char* DriverErrorText(std::uint32_t code);

}  // namespace simemu
