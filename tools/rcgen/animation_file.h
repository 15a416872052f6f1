// The file a resource script names for a table's animation.
#pragma once

#include "platform/resources.h"

#include <cstdint>
#include <vector>

namespace rcgen {

// An uncompressed .avi clip of the animation's frame count, as the system's
// animation control plays it (one video stream of 8-bit frames, with its
// index): a dot travels along the cable from a computer to the emulator.
// Throws std::invalid_argument for an animation without frames.
std::vector<std::uint8_t> AnimationFile(const platform::AnimationResource& animation);

}  // namespace rcgen
