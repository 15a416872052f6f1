// Screenshots of the system's windows, kept as PNG files.
#pragma once

#include "platform/wintypes.h"

#include <cstdint>
#include <string>
#include <vector>

namespace persontest {

// Pixels from the top left, row by row, each 0xRRGGBB.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint32_t> pixels;
};

// What the screen shows where the window is (empty when it cannot be read).
Picture CaptureWindow(HWND window);
// Why the picture shows nothing a person could read: one colour in all, or a
// dialog's inside of one colour; empty when it shows something.
std::string BlankReason(const Picture& picture);
// An 8-bit RGB PNG file (deflate's stored blocks: a screenshot needs no
// compression).
bool WritePng(const Picture& picture, const std::string& path);

}  // namespace persontest
